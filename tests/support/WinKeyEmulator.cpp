#include "support/WinKeyEmulator.h"

#include <QElapsedTimer>
#include <QThread>

#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace qf::test {

namespace {

qint64 realMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Parameters of each host command 0x01 to 0x1F, so a parameter byte is never taken for a
// command (a speed of 21 is the byte of the status request).
constexpr int kParams[32] = {0, 1, 1, 1, 2, 3, 1, 0, 0, 1, 0, 1, 1, 1, 1, 15,
                             1, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, 2, 1, 1, 0, 0};

}  // namespace

WinKeyEmulator::WinKeyEmulator() {
    startMs_ = realMs();
    if (!pty_.available()) return;
    fd_ = ::open(pty_.second().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    thread_ = std::thread([this] { run(); });
}

WinKeyEmulator::~WinKeyEmulator() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) ::close(fd_);
}

void WinKeyEmulator::run() {
    while (!stop_) {
        pollfd p{fd_, POLLIN, 0};
        QByteArray out;
        if (::poll(&p, 1, 5) > 0) {
            char buf[256];
            const ssize_t n = (p.revents & POLLIN) ? ::read(fd_, buf, sizeof buf) : -1;
            if (n <= 0) {
                // Unplugged: nothing will come, and poll no longer waits.
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            std::lock_guard<std::mutex> lock(mutex_);
            for (ssize_t i = 0; i < n; ++i) take(static_cast<quint8>(buf[i]), out);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            out += pendingOut_;
            pendingOut_.clear();
        }
        if (!out.isEmpty()) (void)::write(fd_, out.constData(), static_cast<size_t>(out.size()));
    }
}

void WinKeyEmulator::take(quint8 b, QByteArray& out) {
    log_.push_back({b, realMs() - startMs_});
    auto answer = [&](quint8 v) {
        if (!silent_) out.append(char(v));
    };
    if (paramsLeft_ > 0) {
        --paramsLeft_;
        if (paramsLeft_ == 0) {
            if (admin_ && command_ == 0x04) {
                if (echo_ == Echo::Right) answer(b);
                if (echo_ == Echo::Wrong) answer(static_cast<quint8>(b ^ 0xFF));
            }
            command_ = -1;
            admin_ = false;
        }
        return;
    }
    if (command_ == 0x00 && admin_) {
        // The admin command's own code.
        command_ = b;
        if (b == 0x02) {
            if (answersOpen_) answer(version_);
            command_ = -1;
            admin_ = false;
        } else if (b == 0x04) {
            paramsLeft_ = 1;
        } else {
            command_ = -1;
            admin_ = false;
        }
        return;
    }
    if (b == 0x00) {
        command_ = 0x00;
        admin_ = true;
        return;
    }
    if (b < 0x20) {
        if (b == 0x15) {
            quint8 flags = status_;
            if (xoffRequests_ > 0) {
                --xoffRequests_;
                flags = 0x05;
                if (xoffRequests_ == 0) status_ = 0;
            }
            answer(static_cast<quint8>(0xC0 | flags));
            return;
        }
        if (b == 0x0A) {
            // A cleared buffer has nothing left to send.
            status_ = 0;
            xoffRequests_ = 0;
        }
        command_ = b;
        paramsLeft_ = kParams[b];
        if (paramsLeft_ == 0) command_ = -1;
        return;
    }
    // Text to key. A keyer says busy by itself as it starts keying; this one keys at once, so
    // it says idle again straight after. One that is busy already says nothing new.
    if (status_ == 0) {
        answer(0xC0 | 0x04);
        answer(0xC0);
    }
}

void WinKeyEmulator::setEcho(Echo echo) {
    std::lock_guard<std::mutex> lock(mutex_);
    echo_ = echo;
}

void WinKeyEmulator::setAnswersOpen(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    answersOpen_ = on;
}

void WinKeyEmulator::setVersion(quint8 version) {
    std::lock_guard<std::mutex> lock(mutex_);
    version_ = version;
}

void WinKeyEmulator::setStatus(quint8 flags) {
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = flags;
    if (!silent_) pendingOut_.append(char(0xC0 | flags));
}

void WinKeyEmulator::holdXoff(int requests) {
    std::lock_guard<std::mutex> lock(mutex_);
    xoffRequests_ = requests;
}

void WinKeyEmulator::fallSilent() {
    std::lock_guard<std::mutex> lock(mutex_);
    silent_ = true;
}

void WinKeyEmulator::answerAgain() {
    std::lock_guard<std::mutex> lock(mutex_);
    silent_ = false;
}

void WinKeyEmulator::unplug() {
    pty_.end();
}

QByteArray WinKeyEmulator::received() const {
    std::lock_guard<std::mutex> lock(mutex_);
    QByteArray bytes;
    for (const Byte& b : log_) bytes.append(char(b.value));
    return bytes;
}

std::vector<WinKeyEmulator::Byte> WinKeyEmulator::log() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

bool WinKeyEmulator::waitForBytes(int count, int ms) const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (static_cast<int>(log_.size()) >= count) return true;
        }
        QThread::msleep(2);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(log_.size()) >= count;
}

void WinKeyEmulator::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
}

}  // namespace qf::test
