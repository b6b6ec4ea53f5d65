// The command line as UTF-8 on every platform, and standard streams that write bytes as given.
#pragma once

#include <string>
#include <vector>

namespace rw::cli {

// On Windows the arguments are taken from the wide command line and converted, so any file name or title
// arrives intact, and standard output and error are switched to binary so that lines end in "\n" as on
// other platforms; elsewhere argv is taken as it is (UTF-8 there).
class Utf8Arguments {
  public:
    Utf8Arguments(int argc, char** argv);
    int Count() const { return static_cast<int>(m_pointers.size()) - 1; }
    // argv-style: Count() pointers followed by a null one; valid while this object lives.
    char** Values() { return m_pointers.data(); }

  private:
    std::vector<std::string> m_values;
    std::vector<char*> m_pointers;
};

}  // namespace rw::cli
