#include "USpellGameType.h"

#include "UBoardPainter.h"
#include "UCommonFun.h"
#include "UStartupTrace.h"
#include "UTileLayout.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QPixmap>

#include <algorithm>

namespace {

constexpr int kBoardWidth = 600;
constexpr int kSlotWidth = 300;
constexpr int kFrameWidth = 550;
// Words listed in the frame at most; far more than fit at any sensible
// resolution, it only bounds what each paint compares.
constexpr int kMaxListedWords = 64;
// The say-again button's side, at most the slot's height.
constexpr int kSpeakerSide = 34;
} // namespace

void TSpellGameType::PreloadArtwork()
{
    TBoardArt::Preload();
}

TSpellGameType::TSpellGameType(QWidget *parent, TGameClock *clock)
    : QWidget(parent)
    , m_painter(std::make_unique<TBoardPainter>())
    , m_rules(clock ? *clock : m_ownClock)
{
    const QSize tile = m_painter->Art().PieceSize(pNormal);
    m_tileWidth = tile.width();
    m_tileHeight = tile.height();
    m_itemSize = tile;

    const int frameHeight = m_painter->Art().PieceSize(pFrameLeft).height();
    const QSize slotLeft = m_painter->Art().PieceSize(pSlotLeft);
    setFixedSize(kBoardWidth, frameHeight + slotLeft.height() + m_tileHeight + 16);
    m_slotWidth = kSlotWidth;
    m_slotLeft = RoundHalfEven((kBoardWidth - m_slotWidth - slotLeft.width() - m_painter->Art().PieceSize(pSlotRight).width()) / 2.0);
    m_slotTop = frameHeight + 8;
    m_tileRowTop = frameHeight + 8 + slotLeft.height() + 8;

    setMouseTracking(true); // hover needs moves without a pressed button

    m_cueFlash.setSingleShot(true);
    m_cueFlash.setInterval(1500);
    connect(&m_cueFlash, &QTimer::timeout, this, qOverload<>(&QWidget::update));

    connect(&m_shake, &TBoardShake::Changed, this, qOverload<>(&QWidget::update));
    setAttribute(Qt::WA_InputMethodEnabled, false);

    connect(&m_rules, &TSpellRules::TilesDealt, this, &TSpellGameType::PlaceTiles);
    connect(&m_rules, &TSpellRules::Changed, this, &TSpellGameType::RulesChanged);
    connect(&m_rules, &TSpellRules::WrongSpelling, &m_shake, &TBoardShake::Start);
}

TSpellGameType::~TSpellGameType() = default;

// ---------------------------------------------------------------------------
// The rules' state as drawn

void TSpellGameType::PlaceTiles()
{
    m_hovered = -1;
    // Words of up to 12 letters keep the classic row of full-size tiles 2 px
    // apart. Longer ones would run off the 600 px board, so their tiles
    // narrow, and wrap into rows of the same band, to stay clickable.
    const int n = int(m_rules.Tiles().size());
    m_places = n > 0 ? TileLayout(n, QRect(0, m_tileRowTop, width(), m_tileHeight), QSize(m_tileWidth, m_tileHeight))
                     : QList<QRect>();
    if (!m_places.isEmpty())
        m_itemSize = m_places.first().size();
    RebuildItems();
}

void TSpellGameType::RulesChanged()
{
    // A pick or a take-back of the hovered tile ends its hover, as a fresh
    // deal does: the pointer has to move onto it again.
    if (m_hovered >= 0
        && (m_hovered >= m_rules.Tiles().size() || m_rules.Tiles()[m_hovered].Picked != m_hoveredPicked))
        m_hovered = -1;
    RebuildItems();
    update();
}

void TSpellGameType::RebuildItems()
{
    const TSpellTiles &tiles = m_rules.Tiles();
    // Only art of other sizes than the playable limit was taken from leaves
    // tiles without a place; such a deal shows no tiles.
    const int n = m_places.size() == tiles.size() ? int(tiles.size()) : 0;
    m_items.resize(n);
    for (int i = 0; i < n; ++i) {
        TSpellItem &item = m_items[i];
        item.Letter = tiles[i].Letter;
        item.Picked = tiles[i].Picked;
        item.PickIndex = tiles[i].PickIndex;
        item.HomeLeft = item.Left = m_places[i].left();
        item.HomeTop = item.Top = m_places[i].top();
        const bool hovered = i == m_hovered;
        item.State = item.Picked ? (hovered ? ssShadowMove : ssShadow) : (hovered ? ssNormalMove : ssNormal);
    }
}

TWordInfos TSpellGameType::ListedWords() const
{
    TWordInfos listed;
    const TWordInfos &words = m_rules.Words();
    for (int j = std::min(m_rules.WordIndex(), int(words.size())) - 1; j >= 0 && listed.size() < kMaxListedWords; --j)
        listed.append(words[j]);
    return listed;
}

int TSpellGameType::CompletedCount() const
{
    return std::clamp(m_rules.WordIndex(), 0, int(m_rules.Words().size()));
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
    m_speakerHovered = SpeakerRect().contains(x, y);
    setCursor(k >= 0 || m_speakerHovered ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_hovered = k;
    m_hoveredPicked = k >= 0 && m_items[k].Picked;
    RebuildItems();
}

void TSpellGameType::ClickAt(int x, int y)
{
    if (SpeakerRect().contains(x, y)) {
        m_rules.SayAgain();
        return;
    }
    // Only the hovered tile takes a release, and only while the pointer is
    // still on it; any release ends the hover, so a freshly picked tile is
    // not taken back by the same release.
    const int k = ItemAt(x, y);
    const int hovered = m_hovered;
    m_hovered = -1;
    if (hovered < 0 || hovered != k) {
        RebuildItems();
        return;
    }
    if (m_items[k].Picked)
        m_rules.Unpick(k);
    else
        m_rules.Pick(k);
    RebuildItems();
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

void TSpellGameType::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!m_keyboardPlay || !plain)
        return QWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Backspace) {
        m_rules.TakeBackLastPick();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint()) {
        m_rules.PickByKey(text[0]);
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

void TSpellGameType::SetShowMeaning(bool value)
{
    m_showMeaning = value;
    update();
}

void TSpellGameType::SetListenFirst(bool value)
{
    m_rules.SetListenFirst(value);
    update();
}

QString TSpellGameType::MeaningLine() const
{
    if (!m_showMeaning || !m_rules.BeingSpelled())
        return {};
    const TWordInfo &word = m_rules.Words()[m_rules.WordIndex()];
    const QString phonetic = word.Pronunciation.simplified();
    const QString meaning = word.Meaning.simplified();
    if (phonetic.isEmpty())
        return meaning;
    return QStringLiteral("[%1]  %2").arg(phonetic, meaning).trimmed();
}

QRect TSpellGameType::SpeakerRect() const
{
    if (!m_rules.GetListenFirst() || !m_rules.BeingSpelled())
        return {};
    const QSize slotLeft = m_painter->Art().PieceSize(pSlotLeft);
    const int slotRight = m_slotLeft + slotLeft.width() + m_slotWidth + m_painter->Art().PieceSize(pSlotRight).width();
    const int side = std::min(kSpeakerSide, slotLeft.height());
    return QRect(slotRight + 10, m_slotTop + (slotLeft.height() - side) / 2, side, side);
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

int TSpellGameType::ListedWordAt(int x, int y) const
{
    // The list is painted into a pixmap of the board's back layer; its
    // fonts are measured on the same kind of device here.
    const QPixmap device(1, 1);
    return WordListRowAt(m_painter->DoneWordsLayout(*this, &device), QPoint(x, y));
}

bool TSpellGameType::event(QEvent *event)
{
    // Also while the board takes no clicks (paused, finished): the list of
    // completed words stays readable then.
    if (event->type() == QEvent::ContextMenu) {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        const int index = ListedWordAt(menu->pos().x(), menu->pos().y());
        const TWordInfos listed = ListedWords();
        if (index >= 0 && index < listed.size()) {
            emit ListedWordMenu(listed[index], menu->globalPos());
            return true;
        }
    }
    // A disabled widget gets no mouse handlers, but the release still passes
    // through here: answer it instead of ignoring the player silently.
    if (event->type() == QEvent::MouseButtonRelease && !isEnabled() && m_cue != TBoardCue::None) {
        m_cueFlash.start();
        update();
    }
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (SpeakerRect().contains(help->pos()))
            QToolTip::showText(help->globalPos(), QStringLiteral("再读一遍 (F4)"), this, SpeakerRect());
        else
            QToolTip::hideText();
        return true;
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
    m_painter->Paint(painter, *this);
}
