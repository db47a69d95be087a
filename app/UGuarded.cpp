#include "UGuarded.h"

#include "UDatabaseError.h"
#include "UMessageBox.h"

void Guarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDatabaseError &error) {
        ShowInfo(parent, error.Message());
    } catch (const std::exception &error) {
        ShowInfo(parent, QString::fromLocal8Bit(error.what()));
    }
}
