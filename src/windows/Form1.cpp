#include "windows/Form1.h"

Form1::Form1(const QString& windowName, const ToolParams& params, QWidget* parent) : QWidget(parent), m_params(params)
{
    setObjectName(windowName);
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(320, 240);
}
