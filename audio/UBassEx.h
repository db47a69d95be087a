#pragma once
// The program's sound player: one-shot effects (a new one cuts off the one
// still sounding) and named looping streams (the background music). Every
// failure leaves it silent; nothing is reported to the caller.

#include "UAudioLayer.h"

#include <QList>
#include <QString>

#include <memory>

struct TPlayStream
{
    QString Name;             // compared exactly, case-sensitive
    TStreamHandle Stream = 0; // 0 when the file could not be opened
};
using TPlayStreams = QList<TPlayStream>;

class TBassEx
{
public:
    // Checks the library version and opens the output. Without a working
    // device Ready() stays false for the whole run.
    TBassEx(std::unique_ptr<TAudioLayer> layer, quintptr windowHandle);
    ~TBassEx();
    TBassEx(const TBassEx &) = delete;
    TBassEx &operator=(const TBassEx &) = delete;

    void PlaySound(const QString &fileName);
    void AddStream(const QString &fileName, const QString &streamName);
    void RemoveStream(const QString &streamName);
    void PlayStream(const QString &streamName);
    void StopStream(const QString &streamName);
    int IndexOfStream(const QString &streamName) const;

    bool Ready() const { return m_ready; }
    TStreamHandle SoundStream() const { return m_soundStream; }
    const TPlayStreams &PlayStreams() const { return m_playStreams; }
    TAudioLayer &Layer() { return *m_layer; }

private:
    std::unique_ptr<TAudioLayer> m_layer;
    quintptr m_windowHandle;
    bool m_ready = false;
    TStreamHandle m_soundStream = 0;
    TPlayStreams m_playStreams;
};
