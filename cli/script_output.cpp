#include "cli/script_output.h"

namespace norlune::cli {

ConvertingBuffer::ConvertingBuffer(std::ostream& target, const ScriptConverter& converter,
                                   const std::vector<std::string>& kept)
    : target_(target), converter_(converter), kept_(kept) {}

ConvertingBuffer::~ConvertingBuffer() {
    convertPending(pending_.size());
}

void ConvertingBuffer::convertAndWrite(std::string_view text,
                                       std::span<const std::string_view> extra) {
    if (text.empty()) {
        return;
    }
    keepViews_.assign(kept_.begin(), kept_.end());
    keepViews_.insert(keepViews_.end(), extra.begin(), extra.end());
    const std::string converted = converter_.toHant(text, keepViews_);
    target_.write(converted.data(), static_cast<std::streamsize>(converted.size()));
}

void ConvertingBuffer::convertPending(std::size_t end) {
    convertAndWrite(std::string_view(pending_).substr(0, end), {});
    pending_.erase(0, end);
}

void ConvertingBuffer::writeKeeping(std::string_view text, std::span<const std::string_view> keep) {
    convertPending(pending_.size());
    convertAndWrite(text, keep);
}

ConvertingBuffer::int_type ConvertingBuffer::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) {
        return traits_type::not_eof(ch);
    }
    const char c = traits_type::to_char_type(ch);
    xsputn(&c, 1);
    return target_ ? ch : traits_type::eof();
}

std::streamsize ConvertingBuffer::xsputn(const char* s, std::streamsize n) {
    const std::size_t before = pending_.size();
    pending_.append(s, static_cast<std::size_t>(n));
    // Whole lines are converted as soon as they end (a progress line ends with CR).
    const std::size_t last = pending_.find_last_of("\n\r");
    if (last != std::string::npos && last >= before) {
        convertPending(last + 1);
    }
    return target_ ? n : 0;
}

int ConvertingBuffer::sync() {
    convertPending(pending_.size());
    target_.flush();
    return target_ ? 0 : -1;
}

}  // namespace norlune::cli
