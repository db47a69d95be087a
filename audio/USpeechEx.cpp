#include "USpeechEx.h"

TSpeechEx::TSpeechEx(std::unique_ptr<TSpeechLayer> layer)
    : m_layer(layer ? std::move(layer) : std::make_unique<TSilentSpeechLayer>())
{
}

TSpeechEx::~TSpeechEx() = default;

bool TSpeechEx::CreateVoice()
{
    // Filled in with the real voice selection by the speech work.
    return true;
}

void TSpeechEx::Speak(const QString &text)
{
    Q_UNUSED(text);
}
