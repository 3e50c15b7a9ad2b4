#pragma once

#include <QString>
#include <QStringList>

/// The Diagnosis Sheet's fields, in the order of its file, and the item lists of its coded fields.
namespace SheetFields {

inline const QString MotivoImpagato = QStringLiteral("MotivoImpagato");
inline const QString SituazioneFamiliare = QStringLiteral("SituazioneFamiliare");
inline const QString NoteSituazioneFamiliare = QStringLiteral("NoteSituazioneFamiliare");
inline const QString Abitazione = QStringLiteral("Abitazione");
inline const QString TipologiaContratto = QStringLiteral("TipologiaContratto");
inline const QString NoteTipologiaContratto = QStringLiteral("NoteTipologiaContratto");
inline const QString CapacitaPagamentoFutureScadenze = QStringLiteral("CapacitaPagamentoFutureScadenze");
inline const QString DataMiglioramento = QStringLiteral("DataMiglioramento");
inline const QString ClienteRedditoSalario = QStringLiteral("ClienteRedditoSalario");
inline const QString ClienteRedditoBenefits = QStringLiteral("ClienteRedditoBenefits");
inline const QString ClienteRedditoAltro = QStringLiteral("ClienteRedditoAltro");
inline const QString GaranteRedditoSalario = QStringLiteral("GaranteRedditoSalario");
inline const QString GaranteRedditoBenefits = QStringLiteral("GaranteRedditoBenefits");
inline const QString GaranteRedditoAltro = QStringLiteral("GaranteRedditoAltro");
inline const QString Note = QStringLiteral("Note");
inline const QString DataInserimento = QStringLiteral("DataInserimento");

/// The 15 fields the operator fills in, in file order (the 16th, DataInserimento, is the save's moment).
inline QStringList editable()
{
    return {MotivoImpagato,
            SituazioneFamiliare,
            NoteSituazioneFamiliare,
            Abitazione,
            TipologiaContratto,
            NoteTipologiaContratto,
            CapacitaPagamentoFutureScadenze,
            DataMiglioramento,
            ClienteRedditoSalario,
            ClienteRedditoBenefits,
            ClienteRedditoAltro,
            GaranteRedditoSalario,
            GaranteRedditoBenefits,
            GaranteRedditoAltro,
            Note};
}

// Two items end with a blank, and the blank is part of the item the sheet stores.
inline QStringList motivoImpagatoItems()
{
    return {QStringLiteral("A=Negligenza"),         QStringLiteral("B=Trasferimento "), QStringLiteral("C=No lavoro"),
            QStringLiteral("D=malattia"),           QStringLiteral("E=divorzio"),       QStringLiteral("F=decesso"),
            QStringLiteral("G=sovraindebitamento"), QStringLiteral("H=fallimento"),     QStringLiteral("I=altro")};
}

inline QStringList situazioneFamiliareItems()
{
    return {QStringLiteral("A=Single"), QStringLiteral("B=Sposato "), QStringLiteral("C=Divorziato"),
            QStringLiteral("D=Vedovo"), QStringLiteral("E=Convivente")};
}

inline QStringList abitazioneItems()
{
    return {QString::fromUtf8("A=Proprietà"), QStringLiteral("B=Locazione"), QStringLiteral("C=Uso gratuito"),
            QStringLiteral("D=Usufrutto")};
}

inline QStringList tipologiaContrattoItems()
{
    return {QStringLiteral("A=tempo indeterminato"),  QStringLiteral("B=tempo determinato"),
            QStringLiteral("C=contratto a progetto"), QStringLiteral("D=socio"),
            QStringLiteral("E=libera professione"),   QStringLiteral("F=altro")};
}

inline QStringList capacitaPagamentoItems()
{
    return {QStringLiteral("S"), QStringLiteral("N")};
}

} // namespace SheetFields
