#pragma once
// Hand-off files and small helpers shared by the SR-N form's tests.
#include <QString>
#include <string>

#include "ModalAnswerer.h"
#include "srn/SrnPage.h"

class QWidget;

namespace quorvel::test {

// The dialogs a test ran into, each as "title|text" (the text of a message box, else empty).
QStringList Shown(const ModalAnswerer& answerer);

// Bytes of the bundled four-level hand-off (CP932, CR LF), language flag
// replaced by `englishFlag`.
std::string ExampleHandOff(int englishFlag = 0);
// A hand-off whose "[SrnParameter]" announces no data set.
std::string HandOffWithoutSets();

// Clicks the child button with this object name (for modal forms in a timer).
void ClickChild(QWidget* window, const QString& objectName);

// Stands in for pages 1 and 2: shows nothing, fits nothing, and lets the
// form's SR-N curves alone decide whether page 2 may open.
SrnPageFactory PlaceholderPages();

}  // namespace quorvel::test
