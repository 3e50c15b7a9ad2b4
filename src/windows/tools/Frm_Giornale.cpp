#include "windows/tools/Frm_Giornale.h"

#include "report/JournalPdf.h"

#include "launcher/ModuloCommand.h"
#include "foundation/ports/Dialogs.h"
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

    lblsql = new QLineEdit(this);
    lblsql->setObjectName(QStringLiteral("lblsql"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(listFont());
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_columns = new JournalListDelegate(List1);
    List1->setItemDelegate(m_columns);

    Label3 = new QLabel(QStringLiteral("Prossimo Progressivo"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaximumWidth(120);
    Label3->setBuddy(Text1);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setPlaceholderText(QStringLiteral("Messaggio del giornale"));
    lblMessaggio = new QLabel(QStringLiteral("&Messaggio"), this);
    lblMessaggio->setObjectName(QStringLiteral("lblMessaggio"));
    lblMessaggio->setBuddy(Text2);
    Command1 = new QPushButton(QStringLiteral("&Elabora"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("&Stampa"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label3);
    bottom->addWidget(Text1);
    bottom->addSpacing(12);
    bottom->addWidget(lblMessaggio);
    bottom->addWidget(Text2, 1);
    bottom->addWidget(Command1);
    bottom->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblsql);
    layout->addWidget(List1, 1);
    layout->addLayout(bottom);

    connect(Command1, &QPushButton::clicked, this, &Frm_Giornale::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Frm_Giornale::Command2_Click);
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
    return lblsql->text();
}

void Frm_Giornale::setQueryText(const QString& text)
{
    lblsql->setText(text);
    lblsql->setCursorPosition(0);
}

void Frm_Giornale::setCaption(const QString& text)
{
    setWindowTitle(text);
}

void Frm_Giornale::setLines(const QStringList& lines)
{
    List1->clear();
    m_columns->measure(lines, List1->font());
    List1->addItems(lines);
}

void Frm_Giornale::setLoadEnabled(bool enabled)
{
    Command1->setEnabled(enabled);
}

void Frm_Giornale::setPrintVisible(bool visible)
{
    Command2->setVisible(visible);
}

QString Frm_Giornale::nextProgressiveText() const
{
    return Text1->text();
}

void Frm_Giornale::setNextProgressiveText(const QString& text)
{
    Text1->setText(text);
}

QString Frm_Giornale::messageText() const
{
    return Text2->text();
}

void Frm_Giornale::setMessageText(const QString& text)
{
    Text2->setText(text);
    Text2->setCursorPosition(0);
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
