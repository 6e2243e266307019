#include "TextOut.h"

namespace veldo {

bool TextOut::open(const std::string &path)
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
        if (std::fclose(file_) != 0)
            good_ = false;
    } else if (file_) {
        std::fflush(file_);
    }
    file_ = nullptr;
    owned_ = false;
}

void TextOut::line(std::string_view text)
{
    if (!file_)
        return;
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
        good_ = false;
    if (std::fputc('\n', file_) == EOF)
        good_ = false;
}

void TextOut::write(std::string_view format, std::initializer_list<FmtArg> args)
{
    line(fmt(format, args, overflow_));
}

} // namespace veldo
