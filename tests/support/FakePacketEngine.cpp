#include "support/FakePacketEngine.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <chrono>
#include <memory>

#include <linux/sockios.h>
#include <sys/ioctl.h>

namespace qf::test {

FakePacketEngine::FakePacketEngine() {
    thread_ = std::thread([this] { run(); });
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(5), [this] { return ready_; });
}

FakePacketEngine::~FakePacketEngine() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void FakePacketEngine::setRegistration(Registration r) {
    std::lock_guard<std::mutex> lock(mutex_);
    registration_ = r;
}

bool FakePacketEngine::send(const agw::Frame& frame) {
    return sendRaw(agw::encode(frame));
}

bool FakePacketEngine::send(const std::vector<agw::Frame>& frames) {
    QByteArray bytes;
    for (const agw::Frame& f : frames) bytes += agw::encode(f);
    return sendRaw(bytes);
}

bool FakePacketEngine::sendRaw(const QByteArray& bytes) {
    std::unique_lock<std::mutex> lock(mutex_);
    outbox_ += bytes;
    const quint64 mine = ++queued_;
    return changed_.wait_for(lock, std::chrono::seconds(3), [&] { return written_ >= mine; });
}

bool FakePacketEngine::closeClient() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closeAsked_ = true;
    }
    return waitForNoClient();
}

std::vector<agw::Frame> FakePacketEngine::received() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

QByteArray FakePacketEngine::kinds() const {
    std::lock_guard<std::mutex> lock(mutex_);
    QByteArray out;
    for (const agw::Frame& f : received_) out.append(f.kind);
    return out;
}

void FakePacketEngine::clearReceived() {
    std::lock_guard<std::mutex> lock(mutex_);
    received_.clear();
}

bool FakePacketEngine::waitForFrames(std::size_t count, int ms) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(ms),
                             [&] { return received_.size() >= count; });
}

bool FakePacketEngine::waitForClient(int ms) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return bool(connected_); });
}

bool FakePacketEngine::waitForNoClient(int ms) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !connected_; });
}

void FakePacketEngine::run() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        port_ = server.serverPort();
        ready_ = true;
    }
    changed_.notify_all();

    std::unique_ptr<QTcpSocket> client;
    QByteArray in;
    auto setConnected = [&](bool on) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            connected_ = on;
        }
        changed_.notify_all();
    };
    while (!stop_) {
        if (server.waitForNewConnection(client ? 0 : 5)) {
            // The newest client is the one the program holds now.
            client.reset(server.nextPendingConnection());
            client->setParent(nullptr);
            in.clear();
            ++connections_;
            setConnected(true);
        }
        QByteArray out;
        quint64 sends = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            out.swap(outbox_);
            sends = queued_;
        }
        if (client && !out.isEmpty()) {
            client->write(out);
            while (client->bytesToWrite() > 0 && client->waitForBytesWritten(1000)) {
            }
            // Sent counts only once the program's side has taken the bytes in (acknowledged,
            // so they wait in its socket): a fetch right after a send finds them.
            QElapsedTimer acked;
            acked.start();
            int unacked = 0;
            while (acked.elapsed() < 2000 &&
                   ::ioctl(int(client->socketDescriptor()), SIOCOUTQ, &unacked) == 0 && unacked > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (sends) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                written_ = sends;
            }
            changed_.notify_all();
        }
        bool closing = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            std::swap(closing, closeAsked_);
        }
        if (client && closing) {
            client->disconnectFromHost();
            if (client->state() != QAbstractSocket::UnconnectedState)
                client->waitForDisconnected(1000);
            client.reset();
            setConnected(false);
        }
        if (!client) continue;
        if (client->waitForReadyRead(5) || client->bytesAvailable() > 0) {
            in += client->readAll();
            QByteArray answer;
            for (;;) {
                agw::Frame f;
                qsizetype used = 0;
                if (agw::decode(in, f, used) != agw::Decoded::Whole) break;
                in.remove(0, used);
                Registration r;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    received_.push_back(f);
                    r = registration_;
                }
                if (f.kind == 'X' && r != Registration::Ignore) {
                    agw::Frame reply;
                    reply.kind = 'X';
                    reply.callFrom = f.callFrom;
                    reply.data = QByteArray(1, r == Registration::Accept ? '\1' : '\0');
                    answer += agw::encode(reply);
                }
            }
            changed_.notify_all();
            if (!answer.isEmpty()) {
                client->write(answer);
                client->waitForBytesWritten(1000);
            }
        }
        if (client->state() != QAbstractSocket::ConnectedState) {
            client.reset();
            setConnected(false);
        }
    }
}

}  // namespace qf::test
