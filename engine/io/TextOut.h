// A sequential text output stream of the engine (report, plot-data file, console).
#pragma once

#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "FixedFormat.h"

namespace veldo {

class TextOut {
public:
    TextOut() = default;
    TextOut(const TextOut&) = delete;
    TextOut& operator=(const TextOut&) = delete;
    ~TextOut() { close(); }

    // Creates or replaces the file; false when it cannot be created.
    bool open(const std::string& path);
    // Writes to standard output instead of a file.
    void attachConsole();
    void close();
    bool isOpen() const { return file_ != nullptr; }
    // False once any write failed.
    bool good() const { return good_; }

    // One record: the text and a newline.
    void line(std::string_view text = {});
    // One record formatted in edit-descriptor notation (see fmt()).
    void write(std::string_view format, std::initializer_list<FmtArg> args = {});

    // Overflow rule of this stream's numbers (the plot-data file widens).
    void setOverflow(Overflow ov) { overflow_ = ov; }

private:
    std::FILE* file_ = nullptr;
    bool owned_ = false;
    bool good_ = true;
    Overflow overflow_ = Overflow::Stars;
    // A file's records are gathered and handed to the system in large pieces
    // (a report runs to thousands of short records); the console gets each at once.
    static constexpr std::size_t kFlushSize = std::size_t{1} << 16;
    std::string pending_;
    std::string record_; // a console record, reused so a record needs no allocation

    void flushPending();
    void put(std::string_view record);
};

} // namespace veldo
