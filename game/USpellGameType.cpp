#include "USpellGameType.h"

#include "UCommonFun.h"
#include "UStartupTrace.h"
#include "URandom.h"
#include "UTileLayout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {

constexpr int kBoardWidth = 600;
constexpr int kSlotWidth = 300;
constexpr int kFrameWidth = 550;
} // namespace

void TSpellGameType::PreloadArtwork()
{
    TBoardArt::Preload();
}

TSpellGameType::TSpellGameType(QWidget *parent)
    : QWidget(parent)
{
    const QSize tile = m_painter.Art().PieceSize(pNormal);
    m_tileWidth = tile.width();
    m_tileHeight = tile.height();
    m_itemSize = tile;

    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &TSpellGameType::TimerTick);

    const int frameHeight = m_painter.Art().PieceSize(pFrameLeft).height();
    const QSize slotLeft = m_painter.Art().PieceSize(pSlotLeft);
    setFixedSize(kBoardWidth, frameHeight + slotLeft.height() + m_tileHeight + 16);
    m_slotWidth = kSlotWidth;
    m_slotLeft = RoundHalfEven((kBoardWidth - m_slotWidth - slotLeft.width() - m_painter.Art().PieceSize(pSlotRight).width()) / 2.0);
    m_slotTop = frameHeight + 8;
    m_tileRowTop = frameHeight + 8 + slotLeft.height() + 8;

    setMouseTracking(true); // hover needs moves without a pressed button

    m_cueFlash.setSingleShot(true);
    m_cueFlash.setInterval(1500);
    connect(&m_cueFlash, &QTimer::timeout, this, qOverload<>(&QWidget::update));

    connect(&m_shake, &TBoardShake::Changed, this, qOverload<>(&QWidget::update));
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

TSpellGameType::~TSpellGameType()
{
    m_timer.stop();
    if (m_sound)
        m_sound->Play(TBoardSoundCue::MusicEnd);
}

// ---------------------------------------------------------------------------
// The host's operations

void TSpellGameType::StartGame(const TWordInfos &words, TBoardSound *sound)
{
    m_sound = sound;
    m_words = words;
    if (!m_words.isEmpty()) {
        m_wordIndex = 0;
        DealWord(0);
    }
    if (m_sound)
        m_sound->Play(TBoardSoundCue::MusicStart);
    m_level = 1;
    emit OnLevelChange(this);
    m_tollGateIndex = 1;
    m_tollGateCount = CeilDiv(m_tollGateWords, int(m_words.size()));
    emit OnTollGateChange(this);
    m_timer.start();
    ResetTimer();
    SkipUnplayableWords();
}

void TSpellGameType::SetWords(const TWordInfos &words)
{
    m_words = words;
}

void TSpellGameType::RestartGame()
{
    m_tollGateIndex = 1;
    emit OnTollGateChange(this);
    m_wordIndex = 0;
    m_score = 0;
    m_letters.clear();
    DealWord(0);
    m_timer.start();
    ResetTimer();
    update();
    SkipUnplayableWords();
}

void TSpellGameType::SetLevel(int value)
{
    if (value == m_level)
        return;
    m_level = value;
    m_wordIndex = (m_tollGateIndex - 1) * m_tollGateWords;
    m_letters.clear();
    DealWord(m_wordIndex);
    ResetTimer();
    update();
    SkipUnplayableWords();
}

void TSpellGameType::SetTollGateWords(int value)
{
    if (value != m_tollGateWords && value >= 1)
        m_tollGateWords = value;
}

void TSpellGameType::SetHasSpeech(bool value)
{
    m_hasSpeech = value;
}

void TSpellGameType::PauseGame()
{
    m_timer.stop();
}

void TSpellGameType::ContinueGame()
{
    m_timer.start();
}

void TSpellGameType::ClearSpelling()
{
    DealWord(m_wordIndex);
    m_letters.clear();
    update();
}

void TSpellGameType::ShowHint()
{
    if (m_wordIndex < 0 || m_wordIndex >= m_words.size())
        return;
    const QString spelling = m_words[m_wordIndex].Spelling;
    if (!IsPlayable(spelling))
        return;
    DealWord(m_wordIndex);
    m_letters.clear();
    for (int i = 0; i + 1 < spelling.size(); ++i)
        m_letters.append(spelling.mid(i, 1));

    // Each hinted tile is bound to an entry of its own, so taking tiles of a
    // repeated letter back out later removes exactly their own entries.
    const QString last = spelling.right(1);
    QList<bool> bound(m_letters.size(), false);
    bool lastLeft = false;
    for (TSpellItem &item : m_items) {
        if (!lastLeft && item.Letter == last) {
            lastLeft = true;
            continue;
        }
        for (int e = 0; e < m_letters.size(); ++e) {
            if (!bound[e] && m_letters[e] == item.Letter) {
                bound[e] = true;
                item.State = ssShadow;
                item.Picked = true;
                item.PickIndex = e;
                break;
            }
        }
    }
    m_hintUsed = true;
    update();
}

void TSpellGameType::StopBackMusic()
{
    if (m_sound)
        m_sound->Play(TBoardSoundCue::MusicStop);
}

void TSpellGameType::PlayBackMusic()
{
    if (m_sound)
        m_sound->Play(TBoardSoundCue::MusicContinue);
}

// ---------------------------------------------------------------------------
// Rules

bool TSpellGameType::IsPlayable(const QString &spelling)
{
    return !spelling.isEmpty() && spelling.size() <= MaxPlayableLetters();
}

int TSpellGameType::MaxPlayableLetters()
{
    return MaxTilesInBand();
}

qint64 TSpellGameType::WordPoints() const
{
    return m_hintUsed ? 0 : qint64(m_level) * 100;
}

int TSpellGameType::ClampScore(qint64 points)
{
    return int(std::clamp<qint64>(points, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void TSpellGameType::DealWord(int index)
{
    m_items.clear();
    m_itemCount = 0;
    if (index < 0 || index >= m_words.size() || !IsPlayable(m_words[index].Spelling))
        return;
    const QString spelling = m_words[index].Spelling;
    const int n = int(spelling.size());

    TIntAry order(n);
    for (int i = 0; i < n; ++i)
        order[i] = i;
    ShuffleIntAry(order);

    // Words of up to 12 letters keep the classic row of full-size tiles 2 px
    // apart. Longer ones would run off the 600 px board, so their tiles
    // narrow, and wrap into rows of the same band, to stay clickable.
    const QList<QRect> places = TileLayout(n, QRect(0, m_tileRowTop, width(), m_tileHeight),
                                           QSize(m_tileWidth, m_tileHeight));
    if (places.isEmpty())
        return; // only with art of other sizes than the limit was taken from
    m_itemSize = places.first().size();

    m_items.resize(n);
    for (int i = 0; i < n; ++i) {
        TSpellItem &item = m_items[i];
        item.Letter = spelling.mid(order[i], 1);
        item.HomeLeft = places[i].left();
        item.HomeTop = places[i].top();
        item.Left = item.HomeLeft;
        item.Top = item.HomeTop;
        item.State = ssNormal;
        item.Picked = false;
        item.PickIndex = -1;
    }
    m_itemCount = n;
}

int TSpellGameType::NextPlayableWord(int index) const
{
    for (int i = std::max(0, index); i < m_words.size(); ++i)
        if (IsPlayable(m_words[i].Spelling))
            return i;
    return -1;
}

void TSpellGameType::MoveToWord(int index)
{
    m_wordIndex = index;
    DealWord(m_wordIndex);
    m_letters.clear();
    const int oldTollGate = m_tollGateIndex;
    UpdateTollGateIndex(m_wordIndex);
    if (m_tollGateIndex != oldTollGate) {
        m_timer.start();
        ResetTimer();
    }
}

void TSpellGameType::NextWord()
{
    const int next = NextPlayableWord(m_wordIndex + 1);
    if (next < 0) {
        m_timer.stop();
        emit OnGameOver(this, true);
        return;
    }
    MoveToWord(next);
}

void TSpellGameType::SkipUnplayableWords()
{
    if (m_wordIndex < 0 || m_wordIndex >= m_words.size() || IsPlayable(m_words[m_wordIndex].Spelling))
        return;
    const int next = NextPlayableWord(m_wordIndex + 1);
    if (next >= 0)
        MoveToWord(next);
}

void TSpellGameType::UpdateTollGateIndex(int wordIndex)
{
    m_tollGateIndex = CeilDiv(m_tollGateWords, wordIndex + 1);
    emit OnTollGateChange(this);
}

void TSpellGameType::ApplyLevelTime()
{
    switch (m_level) {
    case 1: m_levelTime = 200; break;
    case 2: m_levelTime = 100; break;
    case 3: m_levelTime = 50; break;
    default: break; // any other level keeps the previous time
    }
}

void TSpellGameType::ResetTimer()
{
    if (m_timer.isActive()) {
        m_timer.stop();
        m_timerTime = 0;
        ApplyLevelTime();
        m_timer.start(); // the next tick comes a full second from now
    } else {
        m_timerTime = 0;
        ApplyLevelTime();
    }
    emit OnTimeChange(this);
}

void TSpellGameType::TimerTick()
{
    if (m_timerTime >= m_levelTime) {
        m_timer.stop();
        emit OnGameOver(this, false);
        return;
    }
    ++m_timerTime;
    emit OnTimeChange(this);
}

bool TSpellGameType::IsWordSpelled() const
{
    return m_wordIndex >= 0 && m_wordIndex < m_words.size() && m_letters.join(QString()) == m_words[m_wordIndex].Spelling;
}

bool TSpellGameType::PickItem(int index)
{
    TSpellItem &item = m_items[index];
    item.State = ssShadow;
    m_letters.append(item.Letter);
    item.PickIndex = int(m_letters.size()) - 1;
    item.Picked = true;

    if (!IsWordSpelled()) {
        const bool wrong = m_letters.size() == m_items.size();
        if (m_sound)
            m_sound->Play(wrong ? TBoardSoundCue::Wrong : TBoardSoundCue::Select);
        if (wrong) {
            m_shake.Start();
            emit OnWrongSpelling(this);
        }
        return false;
    }
    const QString done = m_words[m_wordIndex].Spelling;
    if (m_sound) {
        m_sound->Play(TBoardSoundCue::WordDone);
        if (m_hasSpeech)
            m_sound->Speak(done);
    }
    const TWordInfo spelled = m_words[m_wordIndex]; // a handler may replace the words
    emit OnWordSpelled(this, spelled, m_hintUsed);
    NextWord(); // may run the host's OnGameOver, which may load new words
    m_score = ClampScore(m_score + WordPoints());
    m_hintUsed = false;
    emit OnScoreChange(this);
    return true;
}

void TSpellGameType::RemovePickedLetter(int index)
{
    const int p = m_items[index].PickIndex;
    if (p >= 0 && p < m_letters.size())
        m_letters.removeAt(p);
    m_items[index].PickIndex = -1;
    for (TSpellItem &item : m_items)
        if (item.PickIndex > p)
            --item.PickIndex;
}

void TSpellGameType::UnpickItem(int index)
{
    m_items[index].State = ssNormal;
    RemovePickedLetter(index);
    m_items[index].Picked = false;
    if (m_sound)
        m_sound->Play(TBoardSoundCue::Unselect);
}

// ---------------------------------------------------------------------------
// Pointer input

QRect TSpellGameType::ItemRect(int index) const
{
    const TSpellItem &item = m_items[index];
    return QRect(QPoint(item.Left, item.Top), m_itemSize);
}

int TSpellGameType::ItemAt(int x, int y) const
{
    // The face's edge belongs to no tile, so two tiles 2 px apart never both
    // take a click.
    for (int i = 0; i < m_items.size(); ++i) {
        const QRect r = ItemRect(i);
        if (r.left() < x && x < r.left() + r.width() && r.top() < y && y < r.top() + r.height())
            return i;
    }
    return -1;
}

void TSpellGameType::UpdateHover(int x, int y)
{
    const int k = ItemAt(x, y);
    setCursor(k >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    for (int i = 0; i < m_items.size(); ++i) {
        TSpellItem &item = m_items[i];
        if (item.State == ssNormal && i == k)
            item.State = ssNormalMove;
        else if (item.State == ssNormalMove && i != k)
            item.State = ssNormal;
        else if (item.State == ssShadow && i == k)
            item.State = ssShadowMove;
        else if (item.State == ssShadowMove && i != k)
            item.State = ssShadow;
    }
}

void TSpellGameType::ClickAt(int x, int y)
{
    const int k = ItemAt(x, y);
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i].State == ssNormalMove) {
            if (i == k) {
                // A completed word re-deals the tiles (or loads new words): stop.
                if (PickItem(i))
                    return;
            } else {
                m_items[i].State = ssNormal;
            }
        }
        if (m_items[i].State == ssShadowMove) {
            if (i == k)
                UnpickItem(i);
            else
                m_items[i].State = ssShadow;
        }
    }
}

// ---------------------------------------------------------------------------
// Keyboard input

void TSpellGameType::SetKeyboardPlay(bool value)
{
    m_keyboardPlay = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
    if (value && isEnabled())
        setFocus();
}

bool TSpellGameType::PickByKey(QChar typed)
{
    if (m_wordIndex < 0 || m_wordIndex >= m_words.size())
        return false;
    const QString &spelling = m_words[m_wordIndex].Spelling;
    const QChar next = m_letters.size() < spelling.size() ? spelling[m_letters.size()] : QChar();
    int chosen = -1;
    for (int i = 0; i < m_items.size(); ++i) {
        const TSpellItem &item = m_items[i];
        if (item.Picked || item.Letter.compare(QString(typed), Qt::CaseInsensitive) != 0)
            continue;
        if (item.Letter == QString(next)) {
            chosen = i;
            break;
        }
        if (chosen < 0)
            chosen = i;
    }
    if (chosen < 0)
        return false;
    PickItem(chosen); // a completed word re-deals the tiles: nothing to touch after this
    update();
    return true;
}

bool TSpellGameType::TakeBackLastPick()
{
    const int last = int(m_letters.size()) - 1;
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i].Picked && m_items[i].PickIndex == last) {
            UnpickItem(i);
            update();
            return true;
        }
    }
    return false;
}

void TSpellGameType::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!m_keyboardPlay || !plain)
        return QWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Backspace) {
        TakeBackLastPick();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint()) {
        PickByKey(text[0]);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSpellGameType::changeEvent(QEvent *event)
{
    // The host disables the board while it waits; the keys belong to it
    // again as soon as the game runs.
    if (event->type() == QEvent::EnabledChange && isEnabled() && m_keyboardPlay)
        setFocus();
    QWidget::changeEvent(event);
}

void TSpellGameType::SetPauseVeil(bool value)
{
    if (value == m_pauseVeil)
        return;
    m_pauseVeil = value;
    update();
}

void TSpellGameType::SetCue(TBoardCue cue)
{
    if (cue == m_cue)
        return;
    m_cue = cue;
    m_cueFlash.stop();
    update();
}

bool TSpellGameType::event(QEvent *event)
{
    // A disabled widget gets no mouse handlers, but the release still passes
    // through here: answer it instead of ignoring the player silently.
    if (event->type() == QEvent::MouseButtonRelease && !isEnabled() && m_cue != TBoardCue::None) {
        m_cueFlash.start();
        update();
    }
    return QWidget::event(event);
}

void TSpellGameType::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    UpdateHover(p.x(), p.y());
    update();
}

void TSpellGameType::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    ClickAt(p.x(), p.y());
    update();
}


// ---------------------------------------------------------------------------
// Painting

int TSpellGameType::FrameX() const
{
    return RoundHalfEven((width() - kFrameWidth) / 2.0);
}

void TSpellGameType::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Paint(painter);
    if (!m_paintedOnce) {
        m_paintedOnce = true;
        StartupMark("board first painted");
    }
}

void TSpellGameType::Paint(QPainter &painter)
{
    m_painter.Paint(painter, *this);
}
