#pragma once
#include <QMainWindow>
class QApplication;
class TFrmSpell : public QMainWindow
{
    Q_OBJECT
public:
    static int RunProgram(QApplication &app);
};
