#include "update/net/package_answer.h"

#include <charconv>

#include "update/net/http_response.h"
#include "update/net/transfer_policy.h"

namespace vantu {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::uint64_t> Number(std::string_view text) {
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

bool IsHeader(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line[name.size()] == ':' && StartsWithNoCase(line, name);
}

}  // namespace

PackageAnswer::PackageAnswer(PackageFile& file, const ResumePoint& start,
                             TransferObserver& observer)
    : m_file(file), m_start(start), m_observer(observer), m_base(file.Size()) {}

void PackageAnswer::TakeHeaderLine(std::string_view line) {
    line = Trimmed(line);
    if (line.starts_with("HTTP/")) {
        m_status = StatusCode(std::string(line));
        m_etag.clear();
        m_lastModified.clear();
        m_contentLength.reset();
        m_rangeFirst.reset();
        m_rangeTotal.reset();
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        return;
    }
    const auto value = Trimmed(line.substr(colon + 1));
    if (IsHeader(line, "ETag")) {
        m_etag = value;
    } else if (IsHeader(line, "Last-Modified")) {
        m_lastModified = value;
    } else if (IsHeader(line, "Content-Length")) {
        m_contentLength = Number(value);
    } else if (IsHeader(line, "Content-Range")) {
        TakeContentRange(value);
    }
}

// "bytes <first>-<last>/<total>"; the total may be "*".
void PackageAnswer::TakeContentRange(std::string_view value) {
    if (!value.starts_with("bytes ")) {
        return;
    }
    value.remove_prefix(6);
    const auto dash = value.find('-');
    const auto slash = value.find('/');
    if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash) {
        return;
    }
    m_rangeFirst = Number(value.substr(0, dash));
    m_rangeTotal = Number(value.substr(slash + 1));
}

// What If-Range may carry: a strong ETag, else the date.
std::string PackageAnswer::Validator() const {
    if (!m_etag.empty() && !m_etag.starts_with("W/")) {
        return m_etag;
    }
    return m_lastModified;
}

// The answer's validator of the same kind as `ours` differs from it.
bool PackageAnswer::ContradictsValidator(const std::string& ours) const {
    const std::string& theirs = ours.starts_with("\"") ? m_etag : m_lastModified;
    return !theirs.empty() && theirs != ours;
}

bool PackageAnswer::Accept() {
    if (m_status < 200 || m_status >= 300) {
        return true;  // a redirect, or an error that the library reports itself
    }
    ResumePoint answer{Validator(), 0};
    if (m_status == 206) {
        answer.total = m_rangeTotal.value_or(0);
        if (m_rangeFirst != m_file.Size() || ContradictsValidator(m_start.validator) ||
            (m_start.total != 0 && answer.total != 0 && answer.total != m_start.total)) {
            m_startOver = true;
            return false;
        }
    } else {
        answer.total = m_contentLength.value_or(0);
        if (m_file.Size() != 0 && !m_file.Restart()) {
            m_writeFailed = true;
            return false;
        }
    }
    if (!FitsPackageLimit(answer.total)) {
        m_tooLarge = true;
        return false;
    }
    m_base = m_file.Size();
    m_answer = answer;
    m_accepted = true;
    m_observer.OnAnswer(answer);
    return true;
}

bool PackageAnswer::TakeBody(const char* data, std::size_t size) {
    if (!FitsPackageLimit(m_file.Size() + size)) {
        m_tooLarge = true;
        return false;
    }
    if (!m_file.Append(data, size)) {
        m_writeFailed = true;
        return false;
    }
    return true;
}

void PackageAnswer::ReportProgress(std::uint64_t received, std::uint64_t total) {
    const std::uint64_t whole = total != 0 ? m_base + total : m_answer.total;
    m_observer.OnProgress(m_base + received, whole != 0 ? whole : m_start.total);
}

TransferResult PackageAnswer::Result(RequestEnd end) const {
    if (m_startOver) {
        return {TransferEnd::Broken, true};
    }
    if (m_tooLarge || m_writeFailed) {
        return {TransferEnd::Refused, false};
    }
    switch (end) {
        case RequestEnd::Delivered:
            // A final HTTP answer that was no content (a redirect without
            // a target, 304...) delivered no package. File addresses have
            // no status.
            if (!m_accepted && m_status != 0) {
                return {TransferEnd::Refused, false};
            }
            if (m_answer.total == 0 || m_file.Size() == m_answer.total) {
                return {TransferEnd::Complete, false};
            }
            // A body that ended short without the connection saying so.
            return {m_file.Size() < m_answer.total ? TransferEnd::Broken : TransferEnd::Refused,
                    false};
        case RequestEnd::HttpError:
            if (m_status == 416) {
                return {TransferEnd::Broken, true};  // the range no longer fits the content
            }
            return {m_status == 408 || m_status == 429 || m_status >= 500 ? TransferEnd::Broken
                                                                          : TransferEnd::Refused,
                    false};
        case RequestEnd::Passing:
            return {TransferEnd::Broken, false};
        case RequestEnd::Refused:
        case RequestEnd::Stopped:
            break;
    }
    return {TransferEnd::Refused, false};
}

}  // namespace vantu
