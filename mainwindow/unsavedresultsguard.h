#pragma once

#include <QCoreApplication>

#include <functional>

class QWidget;

// Asks before an action discards results that have not been saved.
class UnsavedResultsGuard
{
    Q_DECLARE_TR_FUNCTIONS(UnsavedResultsGuard)

public:
    // Whether the action may go on: at once when nothing is unsaved; else
    // after Save, when save() (which reports its own failures) returns true,
    // or after Discard. Cancel, or closing the box, keeps everything.
    static bool mayDiscard(QWidget *window, bool unsaved, const std::function<bool()> &save);
};
