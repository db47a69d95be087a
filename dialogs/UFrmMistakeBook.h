#pragma once
// "生词本": the words of 《我的生词本》 with their meaning, phonetic, misses,
// completions, box and next due day, and on a second tab the known words
// ("熟词本"). Both lists sort by any column and filter by spelling or
// meaning. Words leave the mistake book (Delete, a button, the context menu,
// several at once), are marked known, are given back from the known words,
// and either list is exported as CSV, Anki text or the typing trainers' JSON.
//
// Every change is one transaction; a database error is shown and the lists
// are read again.

#include "UKnownWords.h"
#include "UWordBookEdits.h"

#include <QDate>
#include <QDialog>
#include <QList>

#include <functional>

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TDataInterface;

class TFrmMistakeBook : public QDialog
{
    Q_OBJECT
public:
    enum TColumn { cSpelling, cPhonetic, cMeaning, cMisses, cSpelled, cBox, cDue };
    enum TKnownColumn { kcSpelling, kcPhonetic, kcMeaning, kcSource, kcAdded };

    // scramble: the settings flag "encrypt" (texts stored scrambled).
    TFrmMistakeBook(TDataInterface &data, bool scramble, const QDate &today, QWidget *parent = nullptr);

    // Reads both lists; throws EDatabaseError.
    void LoadWords();

    QTabWidget *Tabs() const { return m_tabs; }
    QTableWidget *MistakeList() const { return m_mistakes; }
    QTableWidget *KnownList() const { return m_known; }
    QLineEdit *SearchEdit() const { return m_search; }

    // What the buttons, the Delete key and the context menus do, on the
    // selected rows of the list concerned.
    void RemoveSelected();
    void MarkSelectedKnown();
    void ForgetSelected();
    void Export();

signals:
    // Words were marked known or given back: the toll gates may change.
    void KnownWordsChanged();

private:
    void BuildLists();
    void FillMistakes();
    void FillKnown();
    void ApplyFilter();
    void UpdateButtons();
    void ShowMenu(QTableWidget *list, const QPoint &pos);
    // Runs a change, shows a database error, reads the lists again.
    void Change(const std::function<void()> &change);
    QStringList SelectedSpellings(QTableWidget *list) const;
    bool OnKnownTab() const;

    TDataInterface &m_data;
    bool m_scramble;
    QDate m_today;
    QList<TMistakeRow> m_mistakeRows;
    QList<TKnownWord> m_knownRows;
    QTabWidget *m_tabs;
    QTableWidget *m_mistakes;
    QTableWidget *m_known;
    QLineEdit *m_search;
    QPushButton *btnRemove;
    QPushButton *btnMarkKnown;
    QPushButton *btnForget;
    QPushButton *btnExport;
};
