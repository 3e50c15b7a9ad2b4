#include "windows/tools/Frm_Giornale.h"

#include "report/JournalPdf.h"

#include "foundation/ports/Dialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/tools/JournalListDelegate.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QFont listFont()
{
    // The list's columns line up only in a fixed-pitch font: Courier New, or what the system puts in its place.
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF());
    return font;
}

} // namespace

Frm_Giornale::Frm_Giornale(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs),
      m_journal(module, dialogs, clock, *this, JournalPdf::print, [] { QCoreApplication::processEvents(); })
{
    setObjectName(QStringLiteral("Frm_Giornale"));
    setWindowTitle(QStringLiteral("Giornale x Lotti"));

    m_lblsql = new QLineEdit(this);
    m_lblsql->setObjectName(QStringLiteral("lblsql"));
    m_List1 = new QListWidget(this);
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List1->setFont(listFont());
    m_List1->setUniformItemSizes(true);
    m_List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_columns = new JournalListDelegate(m_List1);
    m_List1->setItemDelegate(m_columns);

    m_Label3 = new QLabel(QStringLiteral("Prossimo Progressivo"), this);
    m_Label3->setObjectName(QStringLiteral("Label3"));
    m_Text1 = new QLineEdit(this);
    m_Text1->setObjectName(QStringLiteral("Text1"));
    m_Text1->setMaximumWidth(120);
    m_Label3->setBuddy(m_Text1);
    m_Text2 = new QLineEdit(this);
    m_Text2->setObjectName(QStringLiteral("Text2"));
    m_Text2->setPlaceholderText(QStringLiteral("Messaggio del giornale"));
    m_lblMessaggio = new QLabel(QStringLiteral("&Messaggio"), this);
    m_lblMessaggio->setObjectName(QStringLiteral("lblMessaggio"));
    m_lblMessaggio->setBuddy(m_Text2);
    m_Command1 = new QPushButton(QStringLiteral("&Elabora"), this);
    m_Command1->setObjectName(QStringLiteral("Command1"));
    m_Command2 = new QPushButton(QStringLiteral("&Stampa"), this);
    m_Command2->setObjectName(QStringLiteral("Command2"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_Label3);
    bottom->addWidget(m_Text1);
    bottom->addSpacing(12);
    bottom->addWidget(m_lblMessaggio);
    bottom->addWidget(m_Text2, 1);
    bottom->addWidget(m_Command1);
    bottom->addWidget(m_Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblsql);
    layout->addWidget(m_List1, 1);
    layout->addLayout(bottom);

    connect(m_Command1, &QPushButton::clicked, this, &Frm_Giornale::Command1_Click);
    connect(m_Command2, &QPushButton::clicked, this, &Frm_Giornale::Command2_Click);
    m_openReport = [this](const QString& path) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            m_dialogs.message(QStringLiteral("Il giornale è stato scritto in %1, ma non c'è un programma che lo apra.")
                                  .arg(QDir::toNativeSeparators(path)),
                              Dialogs::Icon::Information);
    };
    resize(900, 560);
}

Frm_Giornale::~Frm_Giornale() = default;

std::unique_ptr<Frm_Giornale> Frm_Giornale::open(ModuloCommand& module, Dialogs& dialogs, const Clock& clock,
                                                 const Dispatch& dispatch)
{
    auto window = std::make_unique<Frm_Giornale>(module, dialogs, clock);
    window->show();
    window->Form_Load(dispatch.sqlLotti, dispatch.params.source);
    return window;
}

bool Frm_Giornale::Form_Load(const QString& sqlLotti, const QString& sourceFile)
{
    return m_journal.Form_Load(sqlLotti, sourceFile);
}

void Frm_Giornale::Command1_Click()
{
    m_journal.Inizia();
}

void Frm_Giornale::Command2_Click()
{
    m_journal.StampaCR();
}

QString Frm_Giornale::queryText() const
{
    return m_lblsql->text();
}

void Frm_Giornale::setQueryText(const QString& text)
{
    m_lblsql->setText(text);
    m_lblsql->setCursorPosition(0);
}

void Frm_Giornale::setCaption(const QString& text)
{
    setWindowTitle(text);
}

void Frm_Giornale::setLines(const QStringList& lines)
{
    m_List1->clear();
    m_columns->measure(lines, m_List1->font());
    m_List1->addItems(lines);
}

void Frm_Giornale::setLoadEnabled(bool enabled)
{
    m_Command1->setEnabled(enabled);
}

void Frm_Giornale::setPrintVisible(bool visible)
{
    m_Command2->setVisible(visible);
}

QString Frm_Giornale::nextProgressiveText() const
{
    return m_Text1->text();
}

void Frm_Giornale::setNextProgressiveText(const QString& text)
{
    m_Text1->setText(text);
}

QString Frm_Giornale::messageText() const
{
    return m_Text2->text();
}

void Frm_Giornale::setMessageText(const QString& text)
{
    m_Text2->setText(text);
    m_Text2->setCursorPosition(0);
}

void Frm_Giornale::setBusy(bool busy)
{
    m_busy.set(busy);
}

void Frm_Giornale::showReport(const QString& path)
{
    if (m_openReport)
        m_openReport(path);
}
