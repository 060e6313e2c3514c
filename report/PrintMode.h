#pragma once
// The ToPrint task from the hand-off file to the answer: load the project,
// run the preview, then print or (after a question) write the Word output.
#include <string>

#include "host/StartRequest.h"

namespace quorvel {

// In the program folder: the project from "temp.txt" and the forms from
// "PrnFiles/". Ok after 印刷 or Word出力 (whatever came of them), Cancel
// after 閉じる, after a preview with nothing to print and after a project
// record that cannot be read (the user is told which and where).
ModeResult RunPrintMode(const std::string& folder, const StartRequest& request);
// The same in ProgramFolder().
ModeResult RunPrintMode(const StartRequest& request);

// "Wordに印刷帳票を出力します、よろしいですか？"
inline constexpr const char* kWordQuestion = "Wordに印刷帳票を出力します、よろしいですか？";
// The application name while printing: the message boxes' caption and the print job's name.
inline constexpr const char* kPrintApplicationName = "印刷";

}  // namespace quorvel
