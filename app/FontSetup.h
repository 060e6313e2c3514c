#pragma once
namespace quorvel {
// Maps the Windows font names the program asks for ("ＭＳ ゴシック",
// "ＭＳ 明朝", "MS UI Gothic") onto the installed IPA fonts and sets the
// application font. Call once after the QApplication exists.
void SetUpFonts();
}  // namespace quorvel
