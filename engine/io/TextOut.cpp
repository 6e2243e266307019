#include "TextOut.h"

namespace veldo {

bool TextOut::open(const std::string& path)
{
    close();
    file_ = std::fopen(path.c_str(), "wb");
    owned_ = file_ != nullptr;
    good_ = file_ != nullptr;
    return file_ != nullptr;
}

void TextOut::attachConsole()
{
    close();
    file_ = stdout;
    owned_ = false;
    good_ = true;
}

void TextOut::close()
{
    if (file_ && owned_) {
        flushPending();
        if (std::fclose(file_) != 0)
            good_ = false;
    } else if (file_) {
        std::fflush(file_);
    }
    file_ = nullptr;
    owned_ = false;
    pending_.clear();
}

void TextOut::flushPending()
{
    if (!pending_.empty() && std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size())
        good_ = false;
    pending_.clear();
}

void TextOut::put(std::string_view record)
{
    if (std::fwrite(record.data(), 1, record.size(), file_) != record.size())
        good_ = false;
}

void TextOut::line(std::string_view text)
{
    if (!file_)
        return;
    if (owned_) {
        pending_.append(text);
        pending_ += '\n';
        if (pending_.size() >= kFlushSize)
            flushPending();
        return;
    }
    if (!text.empty())
        put(text);
    if (std::fputc('\n', file_) == EOF)
        good_ = false;
}

void TextOut::write(std::string_view format, std::initializer_list<FmtArg> args)
{
    if (owned_) {
        // Formatted straight into the pending text; a malformed format (which
        // throws) leaves no part of its record behind.
        const std::size_t before = pending_.size();
        try {
            appendFmt(pending_, format, args, overflow_);
        } catch (...) {
            pending_.resize(before);
            throw;
        }
        pending_ += '\n';
        if (pending_.size() >= kFlushSize)
            flushPending();
        return;
    }
    record_.clear();
    appendFmt(record_, format, args, overflow_); // a malformed format throws even without a file
    if (!file_)
        return;
    record_ += '\n';
    put(record_);
}

} // namespace veldo
