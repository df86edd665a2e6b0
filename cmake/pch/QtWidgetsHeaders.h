// The Qt Widgets headers the forms, dialogs and their tests share.
#include <QApplication>
#include <QWidget>
