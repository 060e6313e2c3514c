#include "host/HostAnswer.h"

#include <fcntl.h>
#include <unistd.h>

#include "host/ProgramFolder.h"

namespace quorvel {

HostTextWriter OkAnswerHeader() {
  HostTextWriter writer;
  writer.WriteLine("ToDrevia");
  writer.WriteLine("OK");
  return writer;
}

bool DeliverAnswer(const std::string& folder, const HostTextWriter& answer, std::string* error) {
  bool written = answer.Commit(folder + kHandOffFileName, error);
  CreateDoneFlag(folder);
  return written;
}

bool DeliverCancelAnswer(const std::string& folder, std::string* error) {
  HostTextWriter writer;
  writer.WriteLine("ToDrevia");
  writer.Write("CANCEL");
  return DeliverAnswer(folder, writer, error);
}

bool DeliverPrintOkAnswer(const std::string& folder, std::string* error) {
  return DeliverAnswer(folder, OkAnswerHeader(), error);
}

bool CreateDoneFlag(const std::string& folder) {
  std::string path = folder + kDoneFlagFileName;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  return ::close(fd) == 0;
}

}  // namespace quorvel
