#include "InstrumentEmulator.h"

#include <QElapsedTimer>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

qint64 MonotonicNsec()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

int SpeedOf(speed_t speed)
{
    switch (speed) {
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    case B460800: return 460800;
    case B921600: return 921600;
    default: return 0;
    }
}

} // namespace

CInstrumentEmulator::CInstrumentEmulator() : startNsec(MonotonicNsec())
{
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        master = slave = -1;
        return;
    }
    slavePath = QString::fromLocal8Bit(name);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    // A write that the program never reads must not hold the emulator's
    // end: it waits in slices and can be abandoned.
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    if (pipe(stopPipe) != 0)
        stopPipe[0] = stopPipe[1] = -1;
    reader = std::thread([this] { ReadLoop(); });
}

CInstrumentEmulator::~CInstrumentEmulator()
{
    AbandonWrites();
    StopReading();
    HangUp();
    for (int fd : stopPipe)
        if (fd >= 0)
            close(fd);
}

void CInstrumentEmulator::StopReading()
{
    if (!reader.joinable())
        return;
    if (stopPipe[1] >= 0) {
        const char c = 0;
        (void)!write(stopPipe[1], &c, 1);
    }
    reader.join();
}

int CInstrumentEmulator::SlaveSpeed() const
{
    if (slave < 0)
        return 0;
    termios t{};
    if (tcgetattr(slave, &t) != 0)
        return 0;
    return SpeedOf(cfgetospeed(&t));
}

void CInstrumentEmulator::Write(const QByteArray& bytes)
{
    const int speed = bPacedWrites ? SlaveSpeed() : 0;
    const char* p = bytes.constData();
    qint64 left = bytes.size();
    const qint64 startUsec = NowUsec();
    qint64 written = 0;
    const qint64 serial = ++writesStarted;
    bWriting = true;
    while (master >= 0 && left > 0 && writeDropped != serial && !bAbandonWrites) {
        // Paced: small pieces, each when the line has carried the ones before.
        qint64 piece = left;
        if (speed > 0) {
            piece = qMin<qint64>(left, 32);
            const qint64 dueUsec = startUsec + written * 10 * 1000000 / speed;
            const qint64 wait = dueUsec - NowUsec();
            if (wait > 0)
                usleep(useconds_t(wait));
        }
        const ssize_t n = ::write(master, p, size_t(piece));
        if (n < 0) {
            if (errno == EAGAIN) {
                pollfd out{master, POLLOUT, 0};
                poll(&out, 1, 50);
                continue;
            }
            if (errno == EINTR)
                continue;
            break;
        }
        p += n;
        left -= n;
        written += n;
        bytesWritten += n;
    }
    bWriting = false;
}

void CInstrumentEmulator::DropWriteInProgress()
{
    if (bWriting)
        writeDropped = writesStarted.load();
}

void CInstrumentEmulator::HangUp()
{
    StopReading();
    if (master >= 0)
        close(master);
    if (slave >= 0)
        close(slave);
    master = slave = -1;
}

QList<CInstrumentEmulator::tChunk> CInstrumentEmulator::Chunks() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return chunks;
}

QByteArray CInstrumentEmulator::Received() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return received;
}

void CInstrumentEmulator::ClearReceived()
{
    std::lock_guard<std::mutex> lock(mutex);
    chunks.clear();
    received.clear();
}

bool CInstrumentEmulator::WaitForReceived(const QByteArray& bytes, int msTimeout) const
{
    std::unique_lock<std::mutex> lock(mutex);
    return arrived.wait_for(lock, std::chrono::milliseconds(msTimeout),
                            [&] { return received.contains(bytes); });
}

qint64 CInstrumentEmulator::NowUsec() const
{
    return (MonotonicNsec() - startNsec) / 1000;
}

void CInstrumentEmulator::OnReceived(const QByteArray&) {}

void CInstrumentEmulator::ReadLoop()
{
    char buffer[65536];
    for (;;) {
        pollfd fds[2] = {{master, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
        const int ready = poll(fds, stopPipe[0] >= 0 ? 2 : 1, 50);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) {
            usleep(5000);
            continue;
        }
        const QByteArray chunk(buffer, int(n));
        {
            std::lock_guard<std::mutex> lock(mutex);
            chunks.append({NowUsec(), chunk, SlaveSpeed()});
            received += chunk;
        }
        arrived.notify_all();
        OnReceived(chunk);
    }
}
