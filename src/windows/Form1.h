#pragma once

#include "launcher/ToolParams.h"

#include <QWidget>

/// The windows of the suite's family that have nothing of their own in this program
/// (FRM_EXP_B24, Frm_EXP_CPE, FrmRisultati, IntegrazioneCentralino): captioned "Form1", no controls.
class Form1 : public QWidget {
    Q_OBJECT
public:
    /// `windowName` becomes the object name, so the window can be told apart.
    Form1(const QString& windowName, const ToolParams& params, QWidget* parent = nullptr);

    const ToolParams& params() const { return m_params; }

private:
    ToolParams m_params;
};
