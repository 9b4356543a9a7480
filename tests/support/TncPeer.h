// A TNC on the far end of a socat pseudo-terminal pair: the test writes its text in chunks and
// reads what the program sent. Each write waits (bounded) until the program's end holds every
// byte, so the next timer tick reads the whole chunk. Header-only, for the spots tests.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace qf::test {

class TncPeer {
  public:
    // far: the TNC's end; near: the program's end (only looked at, never read).
    TncPeer(const QString& far, const QString& near) : near_(near) {
        fd_ =
            ::open(QFile::encodeName(far).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) return;
        termios t{};
        if (::tcgetattr(fd_, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(fd_, TCSANOW, &t);
        }
    }
    ~TncPeer() {
        if (fd_ >= 0) ::close(fd_);
    }
    TncPeer(const TncPeer&) = delete;
    TncPeer& operator=(const TncPeer&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Writes the chunk and waits until the program's end holds at least `expectWaiting` bytes
    // (the chunk's size by default); true when it does within two seconds.
    bool send(const QByteArray& chunk, qsizetype expectWaiting = -1) {
        qsizetype off = 0;
        QElapsedTimer waited;
        waited.start();
        while (off < chunk.size() && waited.elapsed() < 2000) {
            const ssize_t n =
                ::write(fd_, chunk.constData() + off, static_cast<size_t>(chunk.size() - off));
            if (n > 0)
                off += n;
            else {
                pollfd p{fd_, POLLOUT, 0};
                (void)::poll(&p, 1, 20);
            }
        }
        const qsizetype want = expectWaiting < 0 ? chunk.size() : expectWaiting;
        while (waited.elapsed() < 2000) {
            if (waitingAtProgram() >= want) return true;
            ::usleep(2000);
        }
        return false;
    }

    // Bytes queued for the program to read.
    qsizetype waitingAtProgram() const {
        const int fd = ::open(QFile::encodeName(near_).constData(),
                              O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return -1;
        int n = 0;
        if (::ioctl(fd, FIONREAD, &n) != 0) n = -1;
        ::close(fd);
        return n;
    }

    // What the program sent, waiting (bounded) until at least n bytes came in all.
    QByteArray received(qsizetype n = 0, int timeoutMs = 2000) {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            char buf[512];
            ssize_t got;
            while ((got = ::read(fd_, buf, sizeof buf)) > 0) received_.append(buf, got);
            if (received_.size() >= n || waited.elapsed() >= timeoutMs) break;
            pollfd p{fd_, POLLIN, 0};
            (void)::poll(&p, 1, 20);
        }
        return received_;
    }
    void clearReceived() {
        received(0, 0);
        received_.clear();
    }

    // The handshaking the program's end runs with, read from its termios.
    struct Handshaking {
        bool rtsCts = false;
        bool xonXoff = false;
    };
    Handshaking handshaking() const {
        Handshaking h;
        const int fd = ::open(QFile::encodeName(near_).constData(),
                              O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return h;
        termios t{};
        if (::tcgetattr(fd, &t) == 0) {
            h.rtsCts = (t.c_cflag & CRTSCTS) != 0;
            h.xonXoff = (t.c_iflag & (IXON | IXOFF)) == (IXON | IXOFF);
        }
        ::close(fd);
        return h;
    }

  private:
    QString near_;
    int fd_ = -1;
    QByteArray received_;
};

}  // namespace qf::test
