#include "platform/x11/linux/x11_window_message.h"

#include <poll.h>

#include <atomic>
#include <cerrno>

#include "platform/x11/linux/x11_support.h"

namespace platform {

namespace {

constexpr char kRequestAtom[] = "_VANTU_WINDOW_MESSAGE";
constexpr char kAnswerAtom[] = "_VANTU_WINDOW_MESSAGE_ANSWER";

std::atomic<long> nextToken{1};

XEvent ClientMessageTo(Window window, Atom type, long l0, long l1, long l2, long l3, long l4) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    return event;
}

// Values travel as 32-bit numbers.
long Wire(std::uintptr_t value) {
    return static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

enum class Outcome { Waiting, Answered, Gone };

Outcome Examine(const XEvent& event, Atom answer, Window replyWindow, Window target, long token,
                LRESULT* result) {
    if (event.type == ClientMessage && event.xclient.window == replyWindow &&
        event.xclient.message_type == answer && event.xclient.data.l[0] == token) {
        if (result != nullptr) {
            *result = static_cast<LRESULT>(event.xclient.data.l[1]);
        }
        return Outcome::Answered;
    }
    if (event.type == DestroyNotify && event.xdestroywindow.window == target) {
        return Outcome::Gone;
    }
    return Outcome::Waiting;
}

}  // namespace

bool SendForeignMessage(ForeignWindow window, UINT message, WPARAM wParam, LPARAM lParam,
                        std::chrono::milliseconds timeout, LRESULT* result) {
    if (window == 0) {
        return false;
    }
    auto display = x11::OpenDisplay();
    if (!display) {
        return false;
    }
    Display* d = display.get();
    const Atom request = XInternAtom(d, kRequestAtom, False);
    const Atom answer = XInternAtom(d, kAnswerAtom, False);
    const Window replyWindow = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const long token = nextToken.fetch_add(1);

    Outcome outcome = Outcome::Gone;
    {
        x11::ErrorTrap trap(d);
        // To hear when the window goes away while we wait.
        XSelectInput(d, window, StructureNotifyMask);
        XEvent event = ClientMessageTo(window, request, static_cast<long>(message), Wire(wParam),
                                       Wire(static_cast<std::uintptr_t>(lParam)),
                                       static_cast<long>(replyWindow), token);
        XSendEvent(d, window, False, NoEventMask, &event);
        if (!trap.Failed()) {
            outcome = Outcome::Waiting;
        }
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    while (outcome == Outcome::Waiting) {
        while (outcome == Outcome::Waiting && XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            outcome = Examine(event, answer, replyWindow, window, token, result);
        }
        if (outcome != Outcome::Waiting) {
            break;
        }
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            break;
        }
    }
    {
        x11::ErrorTrap trap(d);
        XSelectInput(d, window, NoEventMask);
        XDestroyWindow(d, replyWindow);
    }
    return outcome == Outcome::Answered;
}

bool ReadForeignMessage(_XDisplay* display, const _XEvent& event, ForeignMessage& out) {
    if (event.type != ClientMessage || event.xclient.format != 32) {
        return false;
    }
    const Atom request = XInternAtom(display, kRequestAtom, True);
    if (request == 0 || event.xclient.message_type != request) {
        return false;
    }
    const auto& data = event.xclient.data.l;
    out.window = event.xclient.window;
    out.message = static_cast<UINT>(static_cast<std::uint32_t>(data[0]));
    out.wParam = static_cast<WPARAM>(static_cast<std::uint32_t>(data[1]));
    out.lParam = static_cast<LPARAM>(static_cast<std::int32_t>(data[2]));
    out.replyWindow = static_cast<ForeignWindow>(data[3]);
    out.token = data[4];
    return true;
}

void AnswerForeignMessage(_XDisplay* display, const ForeignMessage& message, LRESULT result) {
    if (message.replyWindow == 0) {
        return;
    }
    const Atom answer = XInternAtom(display, kAnswerAtom, False);
    XEvent event = ClientMessageTo(message.replyWindow, answer, message.token,
                                   Wire(static_cast<std::uintptr_t>(result)),
                                   static_cast<long>(message.message), 0, 0);
    x11::ErrorTrap trap(display);
    XSendEvent(display, message.replyWindow, False, NoEventMask, &event);
}

}  // namespace platform
