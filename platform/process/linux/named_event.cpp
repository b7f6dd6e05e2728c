#include "platform/process/named_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/text/text_codec.h"

namespace platform {

namespace {

// An abstract address: a leading zero byte, then the name's bytes, and a
// length that covers exactly those (a longer one names another socket).
bool AbstractAddress(std::wstring_view name, sockaddr_un& address, socklen_t& length) {
    std::string bytes = EncodeUtf8(name);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.empty() || bytes.size() + 1 > sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path + 1, bytes.data(), bytes.size());
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + bytes.size());
    return true;
}

int NewSocket() {
    return socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

}  // namespace

NamedEvent::~NamedEvent() {
    Close();
}

NamedEvent::NamedEvent(NamedEvent&& other) noexcept : m_handle(other.m_handle) {
    other.m_handle = kNoWaitHandle;
}

NamedEvent& NamedEvent::operator=(NamedEvent&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = other.m_handle;
        other.m_handle = kNoWaitHandle;
    }
    return *this;
}

void NamedEvent::Close() {
    if (m_handle >= 0) {
        close(m_handle);
        m_handle = kNoWaitHandle;
    }
}

NamedEventCreation NamedEvent::Create(std::wstring_view name) {
    Close();
    sockaddr_un address;
    socklen_t length = 0;
    if (!AbstractAddress(name, address, length)) {
        return NamedEventCreation::Failed;
    }
    int fd = NewSocket();
    if (fd < 0) {
        return NamedEventCreation::Failed;
    }
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        int error = errno;
        close(fd);
        return error == EADDRINUSE ? NamedEventCreation::AlreadyExists : NamedEventCreation::Failed;
    }
    if (listen(fd, SOMAXCONN) != 0) {
        close(fd);
        return NamedEventCreation::Failed;
    }
    m_handle = fd;
    return NamedEventCreation::Created;
}

bool NamedEvent::Reset() {
    bool signalled = false;
    for (;;) {
        int client = accept4(m_handle, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR) {
                continue;
            }
            return signalled;
        }
        close(client);
        signalled = true;
    }
}

void NamedEvent::HoldUntilExit() {
    m_handle = kNoWaitHandle;
}

bool NamedEvent::Signal(std::wstring_view name) {
    sockaddr_un address;
    socklen_t length = 0;
    if (!AbstractAddress(name, address, length)) {
        return false;
    }
    int fd = NewSocket();
    if (fd < 0) {
        return false;
    }
    int rc;
    do {
        rc = connect(fd, reinterpret_cast<const sockaddr*>(&address), length);
    } while (rc != 0 && errno == EINTR);
    // A full backlog (EAGAIN) means signals are pending already.
    bool signalled = rc == 0 || errno == EAGAIN;
    close(fd);
    return signalled;
}

ManualResetEvent::ManualResetEvent() : m_handle(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ManualResetEvent::~ManualResetEvent() {
    if (m_handle >= 0) {
        close(m_handle);
    }
}

void ManualResetEvent::Set() {
    std::uint64_t one = 1;
    // Never read, so the counter stays above zero: set until destroyed.
    [[maybe_unused]] auto written = write(m_handle, &one, sizeof one);
}

bool ManualResetEvent::IsSet() const {
    return WaitForAny({m_handle}, std::chrono::milliseconds(0)) == 0;
}

int WaitForAny(std::initializer_list<WaitHandle> descriptors, std::chrono::milliseconds timeout) {
    std::vector<pollfd> fds;
    for (int fd : descriptors) {
        if (fd < 0) {
            return kWaitFailed;
        }
        fds.push_back({fd, POLLIN, 0});
    }
    using Clock = std::chrono::steady_clock;
    const bool forever = timeout.count() < 0;
    const auto deadline = Clock::now() + (forever ? std::chrono::milliseconds(0) : timeout);
    for (;;) {
        int wait = -1;
        if (!forever) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            wait = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        }
        int rc = poll(fds.data(), fds.size(), wait);
        if (rc < 0) {
            if (errno == EINTR) {
                continue;
            }
            return kWaitFailed;
        }
        if (rc == 0) {
            return kWaitTimeout;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents & (POLLNVAL | POLLERR)) {
                return kWaitFailed;
            }
            if (fds[i].revents & (POLLIN | POLLHUP)) {
                return static_cast<int>(i);
            }
        }
    }
}

}  // namespace platform
