// The TCP client double: real clients over real sockets, one of which can raise any error
// number on cue, as if its socket had reported it.
#pragma once

#include "platform/TcpClient.h"

#include <QString>

#include <memory>

namespace qf::test {

class CueTcpClient : public SystemTcpClient {
  public:
    void cueError(int number) { raiseError(number, QStringLiteral("raised on cue")); }
};

class CueTcpClients : public TcpClients {
  public:
    std::unique_ptr<TcpClient> create() override {
        auto client = std::make_unique<CueTcpClient>();
        last_ = client.get();
        ++created_;
        return client;
    }
    // The client made last; valid while its owner (a window) lives.
    CueTcpClient* last() const { return last_; }
    int created() const { return created_; }

  private:
    CueTcpClient* last_ = nullptr;
    int created_ = 0;
};

}  // namespace qf::test
