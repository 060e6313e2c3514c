#include "controls/CommonDialogs.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>

#include "controls/UiText.h"

namespace quorvel {
namespace {

// Qt's own texts in the colour dialog and ours in place of them.
struct ColorDialogText {
  const char* qtText;
  const char* japanese;
  const char* english;
};
constexpr ColorDialogText kColorDialogTexts[] = {
    {"&Basic colors", "基本色(&B):", "BaseColor(&B)"},
    {"&Custom colors", "作成した色(&C):", "CreatedColor(&C):"},
    {"Hu&e:", "色合い(&E):", "Hue(&E):"},
    {"&Sat:", "鮮やかさ(&S):", "Saturation(&S):"},
    {"&Val:", "明るさ(&L):", "Light(&L):"},
    {"&Red:", "赤(&R):", "Red(&R):"},
    {"&Green:", "緑(&G):", "Green(&G):"},
    {"Bl&ue:", "青(&U):", "Blue(&U):"},
    {"&Add to Custom Colors", "色の追加(&A)", "Add Color(&A)"},
    {"Cancel", "キャンセル", "Cancel"},
};

void ApplyFileDialogCommon(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setLabelText(QFileDialog::FileName, UiText("ファイル名(&N):", "File Name(&N):"));
  dialog.setLabelText(QFileDialog::LookIn, UiText("ファイルの場所(&I):", "Look in:"));
  dialog.setLabelText(QFileDialog::Reject, UiText("キャンセル", "Cancel"));
}

}  // namespace

void ApplyOpenDialogTexts(QFileDialog& dialog) {
  ApplyFileDialogCommon(dialog);
  dialog.setWindowTitle(UiText("開く", "Open File"));
  dialog.setLabelText(QFileDialog::FileType, UiText("ファイルの種類(&T):", "Files of type:"));
  dialog.setLabelText(QFileDialog::Accept, UiText("開く(&O)", "Open(&O)"));
}

void ApplySaveDialogTexts(QFileDialog& dialog) {
  ApplyFileDialogCommon(dialog);
  dialog.setWindowTitle(UiText("名前を付けて保存", "Save File"));
  dialog.setLabelText(QFileDialog::FileType, UiText("ファイルの種類(&T):", "File Type(&T):"));
  dialog.setLabelText(QFileDialog::Accept, UiText("保存(&S)", "Save(&S)"));
}

void ApplyColorDialogTexts(QColorDialog& dialog) {
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setWindowTitle(UiText("色の設定", "Color Settings"));
  auto replacement = [](const QString& text) -> QString {
    for (const ColorDialogText& entry : kColorDialogTexts) {
      if (text == QLatin1String(entry.qtText)) return UiText(entry.japanese, entry.english);
    }
    return {};
  };
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    const QString ours = replacement(label->text());
    if (!ours.isEmpty()) label->setText(ours);
  }
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    // Picking a colour off the screen is not one of the program's functions.
    if (button->text() == QLatin1String("&Pick Screen Color")) {
      button->hide();
      continue;
    }
    const QString ours = replacement(button->text());
    if (!ours.isEmpty()) button->setText(ours);
  }
}

QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& directory) {
  QFileDialog dialog(parent, QString(), directory, filter);
  dialog.setObjectName(QStringLiteral("openFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  ApplyOpenDialogTexts(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& directory,
                        const QString& defaultSuffix) {
  QFileDialog dialog(parent, QString(), directory, filter);
  dialog.setObjectName(QStringLiteral("saveFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
  ApplySaveDialogTexts(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

bool ChooseColor(QWidget* parent, QColor& color) {
  QColorDialog dialog(color, parent);
  dialog.setObjectName(QStringLiteral("colorDialog"));
  ApplyColorDialogTexts(dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  color = dialog.selectedColor();
  return true;
}

}  // namespace quorvel
