#pragma once

// What every benchmark program reports besides its timings.

#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QObject>

// The process's peak resident memory in KiB, -1 where /proc is missing.
inline long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Installed as an event filter on a window: the milliseconds on `clock` when
// its first paint arrived, -1 until then.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QElapsedTimer &clock) : m_clock(clock) {}
    double ms = -1;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && ms < 0)
            ms = m_clock.nsecsElapsed() / 1e6;
        return false;
    }

private:
    QElapsedTimer &m_clock;
};
