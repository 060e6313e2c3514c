#include "SrnFormTestSupport.h"

#include <QAbstractButton>
#include <QFile>
#include <QWidget>

namespace quorvel::test {

QStringList Shown(const ModalAnswerer& answerer) {
  QStringList shown;
  for (const auto& seen : answerer.Seen()) shown << seen.title + "|" + seen.text;
  return shown;
}

std::string ExampleHandOff(int englishFlag) {
  QFile file(QStringLiteral(QUORVEL_EXAMPLES "/srn/temp.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  std::string bytes = file.readAll().toStdString();
  // Line 3, the one character before "[SrnParameter]", is the English flag.
  bytes[bytes.find("\r\n[SrnParameter]") - 1] = static_cast<char>('0' + englishFlag);
  return bytes;
}

std::string HandOffWithoutSets() {
  const std::string example = ExampleHandOff();
  const std::size_t ds = example.find("[DsParameter]");
  return "ToSrnForm\r\n1 Clay\r\n0\r\n[SrnParameter]1 0\r\nrand_ok\r\n5\r\n1.000000E-6\r\n\r\n" + example.substr(ds);
}

void ClickChild(QWidget* window, const QString& objectName) {
  if (auto* button = window->findChild<QAbstractButton*>(objectName)) button->click();
}

namespace {
class PlaceholderPage : public SrnPage {
 public:
  PlaceholderPage(SrnFormRecord& record, QWidget* parent) : SrnPage(record, parent) {
    setObjectName(QStringLiteral("emptyPage"));
  }
  void Activate() override {}
  bool HasOwnResults() const override { return true; }
};
}  // namespace

SrnPageFactory PlaceholderPages() {
  return [](int, SrnFormRecord& record, QWidget* parent) -> SrnPage* { return new PlaceholderPage(record, parent); };
}

}  // namespace quorvel::test
