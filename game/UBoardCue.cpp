#include "UBoardCue.h"

QString BoardCueText(TBoardCue cue)
{
    switch (cue) {
    case TBoardCue::Ready: return QStringLiteral("点击「开始游戏」开始拼写");
    case TBoardCue::Paused: return QStringLiteral("游戏已暂停，点击「继续」接着拼写");
    case TBoardCue::None: break;
    }
    return QString();
}
