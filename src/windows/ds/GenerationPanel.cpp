#include "windows/ds/GenerationPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString quotaPreset(qsizetype cases, int choices)
{
    return QString::number(cases / choices + 1);
}

GenerationPanel::GenerationPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GenerationPanel"));
    auto* groups = new QGridLayout;
    groups->addWidget(
        choiceGroup(QStringLiteral("Motivo Impagato"),
                    {QStringLiteral("A Negligenza"), QStringLiteral("B Trasferimento"), QStringLiteral("C NoLavoro"),
                     QStringLiteral("D malattia"), QStringLiteral("E Divorzio"), QStringLiteral("F Decesso"),
                     QStringLiteral("G Sovraindebit."), QStringLiteral("H Fallimento"), QStringLiteral("I Altro")},
                    m_TxtMotivoImpagato, QStringLiteral("TxtMotivoImpagato"), 0),
        0, 0, 2, 1);
    groups->addWidget(
        choiceGroup(QStringLiteral("Situazione Familiare"),
                    {QStringLiteral("A Single"), QStringLiteral("B Sposato"), QStringLiteral("C Divorziato"),
                     QStringLiteral("D Vedovo"), QStringLiteral("E Convivente")},
                    m_TxtSituazioneFamiliare, QStringLiteral("TxtSituazioneFamiliare"), 0),
        0, 1);
    groups->addWidget(choiceGroup(QStringLiteral("Abitazione"),
                                  {QString::fromUtf8("A Proprietà"), QStringLiteral("B Locazione"),
                                   QStringLiteral("C UsoGrat."), QStringLiteral("D Usufrutto")},
                                  m_TxtAbitazione, QStringLiteral("TxtAbitazione"), 0),
                      1, 1, Qt::AlignTop);
    groups->addWidget(
        choiceGroup(QStringLiteral("Tipologia Contratto"),
                    {QStringLiteral("A T.Indeterm."), QStringLiteral("B T.Determ."), QStringLiteral("C Contr.Prog."),
                     QStringLiteral("D Socio"), QStringLiteral("E Libera_Prof."), QStringLiteral("F Altro")},
                    m_TxtTipologiaContratto, QStringLiteral("TxtTipologiaContratto"), 0),
        0, 2);
    auto* ability = new QWidget(this);
    auto* abilityLayout = new QVBoxLayout(ability);
    abilityLayout->setContentsMargins(0, 0, 0, 0);
    abilityLayout->addWidget(choiceGroup(QString::fromUtf8("Capacità di pagare le future scadenze"),
                                         {QStringLiteral("SI"), QStringLiteral("NO")}, m_TxtCapacitaPagareFutureRate,
                                         QStringLiteral("TxtCapacitaPagareFutureRate"), 0));
    abilityLayout->addWidget(choiceGroup(
        QStringLiteral("(se 'NO') Data Miglioramento"),
        {QStringLiteral("1 mese"), QStringLiteral("3 mesi"), QStringLiteral("6 mesi"), QStringLiteral("1 anno")},
        m_TxtCapacitaPagareFutureRate, QStringLiteral("TxtCapacitaPagareFutureRate"), 2));
    groups->addWidget(ability, 1, 2, Qt::AlignTop);
    groups->addWidget(incomeGroup(), 0, 3, 2, 1, Qt::AlignTop);
    groups->setHorizontalSpacing(24);
    groups->addWidget(notesGroup(), 2, 0, 1, 4);

    m_chkLeggiDaCodiceScarico = new QCheckBox(QStringLiteral("&Leggi da Codice Scarico"), this);
    m_chkLeggiDaCodiceScarico->setObjectName(QStringLiteral("chkLeggiDaCodiceScarico_0"));
    m_chkOverwrite = new QCheckBox(QStringLiteral("&Sovrascrivi DS precedenti"), this);
    m_chkOverwrite->setObjectName(QStringLiteral("chkOverwrite"));
    m_chkSoloTest = new QCheckBox(QStringLiteral("Solo &Test (NON SALVA)"), this);
    m_chkSoloTest->setObjectName(QStringLiteral("chkSoloTest"));
    m_Command2 = new QPushButton(QStringLiteral("&Genera Diagnosis Sheet Casuali"), this);
    m_Command2->setObjectName(QStringLiteral("Command2"));

    auto* options = new QHBoxLayout;
    options->addWidget(m_chkLeggiDaCodiceScarico);
    options->addWidget(m_chkOverwrite);
    options->addWidget(m_chkSoloTest);
    options->addStretch(1);
    options->addWidget(m_Command2);

    connect(m_chkSoloTest, &QCheckBox::clicked, this, &GenerationPanel::soloTestClicked);
    connect(m_chkSoloTest, &QCheckBox::toggled, this, &GenerationPanel::soloTestToggled);
    connect(m_Command2, &QPushButton::clicked, this, &GenerationPanel::generateClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addStretch(1);
    layout->addLayout(options);
}

QLineEdit* GenerationPanel::newBox(const QString& array, int index, int width)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("%1_%2").arg(array).arg(index));
    box->setMaximumWidth(width);
    return box;
}

QLabel* GenerationPanel::newLabel(const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("Label1_%1").arg(m_Label1.size()));
    m_Label1.append(label);
    return label;
}

QWidget* GenerationPanel::choiceGroup(const QString& title, const QStringList& captions, QList<QLineEdit*>& quotas,
                                      const QString& arrayName, int firstIndex)
{
    auto* group = new QWidget(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    QLabel* heading = newLabel(title);
    heading->setStyleSheet(QStringLiteral("font-weight: bold;"));
    grid->addWidget(heading, 0, 0, 1, 2);
    for (int i = 0; i < captions.size(); ++i) {
        grid->addWidget(newLabel(captions.at(i)), i + 1, 0);
        QLineEdit* quota = newBox(arrayName, firstIndex + i, 60);
        grid->addWidget(quota, i + 1, 1);
        quotas.append(quota);
    }
    grid->setRowStretch(int(captions.size()) + 1, 1);
    return group;
}

QWidget* GenerationPanel::incomeGroup()
{
    auto* group = new QWidget(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList captions = {QStringLiteral("reddito: salario"), QStringLiteral("reddito: benefits"),
                                  QStringLiteral("reddito: altro")};
    int row = 0;
    for (int person = 0; person < 2; ++person) {
        QLabel* heading =
            newLabel(person == 0 ? QStringLiteral("Situazione Finanziaria del Cliente") : QStringLiteral("Garante"));
        heading->setStyleSheet(QStringLiteral("font-weight: bold;"));
        grid->addWidget(heading, row++, 0, 1, 3);
        for (int i = 0; i < 3; ++i) {
            const int index = person * 3 + i;
            grid->addWidget(newLabel(captions.at(i)), row, 0);
            QLineEdit* amount = newBox(QStringLiteral("TxtRedditoCliente"), index, 90);
            QLineEdit* quota = newBox(QStringLiteral("TxtRedditoClienteNumPra"), index, 60);
            grid->addWidget(amount, row, 1);
            grid->addWidget(quota, row, 2);
            m_TxtRedditoCliente.append(amount);
            m_TxtRedditoClienteNumPra.append(quota);
            ++row;
        }
    }
    grid->setRowStretch(row, 1);
    return group;
}

QWidget* GenerationPanel::notesGroup()
{
    auto* group = new QWidget(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(newLabel(QStringLiteral("Note")), i, 0);
        QLineEdit* note = newBox(QStringLiteral("TxtNota"), i, 16777215);
        QLineEdit* quota = newBox(QStringLiteral("TxtNoteNumPra"), i, 60);
        grid->addWidget(note, i, 1);
        grid->addWidget(quota, i, 2);
        m_TxtNota.append(note);
        m_TxtNoteNumPra.append(quota);
    }
    return group;
}

bool GenerationPanel::soloTest() const
{
    return m_chkSoloTest->isChecked();
}

void GenerationPanel::applyPresets(qsizetype cases)
{
    const auto fill = [cases](const QList<QLineEdit*>& boxes, int first, int count, int choices) {
        for (int i = first; i < first + count; ++i)
            boxes.at(i)->setText(quotaPreset(cases, choices));
    };
    fill(m_TxtMotivoImpagato, 0, 9, 9);
    fill(m_TxtSituazioneFamiliare, 0, 5, 5);
    fill(m_TxtAbitazione, 0, 4, 4);
    fill(m_TxtTipologiaContratto, 0, 6, 6);
    fill(m_TxtCapacitaPagareFutureRate, 0, 2, 2);
    fill(m_TxtCapacitaPagareFutureRate, 2, 4, 4);
    fill(m_TxtRedditoClienteNumPra, 0, 6, 3);
    fill(m_TxtNoteNumPra, 0, 3, 3);
    const QStringList amounts = {QStringLiteral("500"), QStringLiteral("1000"), QStringLiteral("1500")};
    for (int i = 0; i < 6; ++i)
        m_TxtRedditoCliente.at(i)->setText(amounts.at(i % 3));
    for (int i = 0; i < 3; ++i)
        m_TxtNota.at(i)->setText(QStringLiteral("Nota %1").arg(i + 1));
}

const QList<QLineEdit*>& GenerationPanel::boxes(QuotaArray array) const
{
    switch (array) {
    case QuotaArray::MotivoImpagato:
        return m_TxtMotivoImpagato;
    case QuotaArray::SituazioneFamiliare:
        return m_TxtSituazioneFamiliare;
    case QuotaArray::Abitazione:
        return m_TxtAbitazione;
    case QuotaArray::TipologiaContratto:
        return m_TxtTipologiaContratto;
    case QuotaArray::CapacitaPagareFutureRate:
        return m_TxtCapacitaPagareFutureRate;
    case QuotaArray::RedditoClienteNumPra:
        return m_TxtRedditoClienteNumPra;
    case QuotaArray::NoteNumPra:
        break;
    }
    return m_TxtNoteNumPra;
}

QList<Quota> GenerationPanel::quotas(QuotaArray array) const
{
    QList<Quota> quotas;
    for (const QLineEdit* box : boxes(array))
        quotas.append(Quota::fromText(box->text()));
    return quotas;
}

GenerationSettings GenerationPanel::settings() const
{
    GenerationSettings settings;
    for (int array = 0; array < QuotaArrayCount; ++array)
        settings.quotas[QuotaArray(array)] = quotas(QuotaArray(array));
    for (const QLineEdit* amount : m_TxtRedditoCliente)
        settings.redditoCliente.append(amount->text());
    for (const QLineEdit* note : m_TxtNota)
        settings.nota.append(note->text());
    settings.leggiDaCodiceScarico = m_chkLeggiDaCodiceScarico->isChecked();
    settings.overwrite = m_chkOverwrite->isChecked();
    settings.soloTest = m_chkSoloTest->isChecked();
    return settings;
}

void GenerationPanel::showCounts(const GenerationQuotas& quotas)
{
    for (int array = 0; array < QuotaArrayCount; ++array) {
        const QList<QLineEdit*>& arrayBoxes = boxes(QuotaArray(array));
        const QList<Quota>& counted = quotas[QuotaArray(array)];
        for (qsizetype i = 0; i < arrayBoxes.size(); ++i) {
            const qint64 count = i < counted.size() ? counted.at(i).count : 0;
            arrayBoxes.at(i)->setToolTip(count > 0 ? QString::number(count) : QString());
        }
    }
}
