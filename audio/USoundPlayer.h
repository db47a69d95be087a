#pragma once
// The program's sound player: one-shot effects (a new one cuts off the one
// still sounding) and named looping streams (the background music). Every
// failure leaves it silent; nothing is reported to the caller.

#include "UAudioOutput.h"

#include <QList>
#include <QString>

#include <memory>

struct TPlayStream
{
    QString Name;            // compared exactly, case-sensitive
    TSoundHandle Stream = 0; // 0 when the file could not be opened
};
using TPlayStreams = QList<TPlayStream>;

class TSoundPlayer
{
public:
    // Opens the output. Without a working device Ready() stays false for the
    // whole run. A null output is a silent one.
    explicit TSoundPlayer(std::unique_ptr<TAudioOutput> output);
    ~TSoundPlayer();
    TSoundPlayer(const TSoundPlayer &) = delete;
    TSoundPlayer &operator=(const TSoundPlayer &) = delete;

    void PlaySound(const QString &fileName);
    void AddStream(const QString &fileName, const QString &streamName);
    void RemoveStream(const QString &streamName);
    void PlayStream(const QString &streamName);
    void StopStream(const QString &streamName);
    int IndexOfStream(const QString &streamName) const;

    bool Ready() const { return m_ready; }
    TSoundHandle SoundStream() const { return m_soundStream; }
    const TPlayStreams &PlayStreams() const { return m_playStreams; }

private:
    std::unique_ptr<TAudioOutput> m_output;
    bool m_ready = false;
    TSoundHandle m_soundStream = 0;
    TPlayStreams m_playStreams;
};
