#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/launcher/launcher_stage.h"
#include "update/build_settings.h"

namespace launcher_test {

// Listens on the tests' update port, takes every connection and answers
// nothing: a launcher's version query waits there until the connections go.
struct LauncherHold::State {
    SOCKET listener = INVALID_SOCKET;
    std::vector<SOCKET> taken;
    std::atomic<bool> stop{false};
    std::thread acceptor;

    void Listen() {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
        listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        ASSERT_NE(listener, INVALID_SOCKET);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<u_short>(vantu::Settings().updatePort));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener, SOMAXCONN) != 0) {
            ADD_FAILURE() << "the tests' update port is taken: " << WSAGetLastError();
            closesocket(listener);
            listener = INVALID_SOCKET;
        }
    }

    void Accept() {
        while (!stop) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener, &ready);
            timeval pause{0, 20000};
            if (select(0, &ready, nullptr, nullptr, &pause) == 1) {
                SOCKET connection = accept(listener, nullptr, nullptr);
                if (connection != INVALID_SOCKET) {
                    taken.push_back(connection);
                }
            }
        }
    }
};

LauncherHold::LauncherHold(const LauncherStage&) : m_state(std::make_unique<State>()) {
    m_state->Listen();
    if (m_state->listener != INVALID_SOCKET) {
        m_state->acceptor = std::thread([state = m_state.get()] { state->Accept(); });
    }
}

LauncherHold::~LauncherHold() {
    Release();
    WSACleanup();
}

void LauncherHold::Release() {
    m_state->stop = true;
    if (m_state->acceptor.joinable()) {
        m_state->acceptor.join();
    }
    for (SOCKET connection : m_state->taken) {
        closesocket(connection);
    }
    m_state->taken.clear();
    if (m_state->listener != INVALID_SOCKET) {
        closesocket(m_state->listener);
        m_state->listener = INVALID_SOCKET;
    }
}

void LauncherHold::Stop() {
    // Nothing then listens on the port: a query fails at once.
    Release();
}

}  // namespace launcher_test
