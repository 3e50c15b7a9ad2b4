#pragma once

#include <QApplication>

/// The hourglass of a window's long work. Calls nest, as the work does (a load inside an export); the arrow comes
/// back with the last "not busy", and a "not busy" without a "busy" before it is ignored. A window closed in the
/// middle of its work gives the arrow back too.
class BusyCursor {
public:
    BusyCursor() = default;
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor()
    {
        while (m_depth > 0)
            set(false);
    }

    void set(bool busy)
    {
        if (busy) {
            ++m_depth;
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else if (m_depth > 0) {
            --m_depth;
            QApplication::restoreOverrideCursor();
        }
    }

private:
    int m_depth = 0;
};
