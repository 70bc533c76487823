// ravelin-test: the tester over one device, a device list file or every
// device template, writing the same report file as the launcher, with
// progress on the error stream and one summary line on the output stream.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ravelin {

// Exit status: 0 when the run found no "ERROR" and reached every device, 1
// when it found errors or some devices could not be reached, 2 for a usage
// error, when no device could be reached or nothing could be tested, or
// when the report could not be written in full.
int RunTestCommand(const std::vector<std::wstring>& args, std::ostream& out,
                   std::ostream& err);

}  // namespace ravelin
