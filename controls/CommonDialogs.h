#pragma once
// File and colour dialogs with the program's own titles and labels in the
// run's language.
#include <QColor>
#include <QString>

class QColorDialog;
class QFileDialog;
class QWidget;

namespace quorvel {

// Texts of the open/save dialogs and the colour dialog.
void ApplyOpenDialogTexts(QFileDialog& dialog);
void ApplySaveDialogTexts(QFileDialog& dialog);
void ApplyColorDialogTexts(QColorDialog& dialog);

// Runs the open dialog; an empty result means the user cancelled.
// `filter` is in Qt's form, e.g. "テキストファイル (*.txt)".
QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& directory = {});
// Runs the save dialog; `defaultSuffix` ("txt") is added to a bare name.
QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& directory = {},
                        const QString& defaultSuffix = {});
// Runs the colour dialog starting at `color`; true and the new colour on OK.
bool ChooseColor(QWidget* parent, QColor& color);

}  // namespace quorvel
