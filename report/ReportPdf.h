#pragma once
// The report as a PDF file, composed and drawn as the print job does, without
// a window. The file is written beside the target and renamed over it at the
// end, so a failure leaves an old target as it was.
#include <string>

#include "report/PrintProject.h"

namespace quorvel {

struct PdfOutcome {
  bool written = false;
  int pages = 0;       // pages composed
  std::string reason;  // one line when not written
};

PdfOutcome WriteReportPdf(CPrintProject& project, const std::string& formFolder, const std::string& path);

}  // namespace quorvel
