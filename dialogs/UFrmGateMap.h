#pragma once
// "选择关卡": every toll gate of the book as a button with its stars and best
// score. Gates up to the last open one start on a click; the ones after it
// are shown locked and cannot be chosen.

#include "UGateProgress.h"

#include <QDialog>

class QScrollArea;
class QToolButton;

class TFrmGateMap : public QDialog
{
    Q_OBJECT
public:
    // records: the gates played so far (any order, gates outside the book
    // ignored); lastOpen: the last gate that may be started; current: the
    // gate the game stands on, marked.
    TFrmGateMap(const QString &bookName, const QList<TGateRecord> &records, int gateCount, int lastOpen, int current,
                QWidget *parent = nullptr);

    // Closes with the gate chosen when it is open; false for a locked gate.
    bool StartGate(int gate);
    // The gate chosen; 0 before one is.
    int ChosenGate() const { return m_chosen; }
    QToolButton *GateButton(int gate) const;

    static constexpr int kColumns = 8;

protected:
    // Brings the current gate into view once the grid is laid out.
    void showEvent(QShowEvent *event) override;

private:
    QScrollArea *m_scroll = nullptr;
    int m_current;
    QList<QToolButton *> m_buttons; // gate n at n - 1
    int m_lastOpen;
    int m_chosen = 0;
};
