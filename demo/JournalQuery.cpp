#include "demo/DemoSuite.h"

namespace demo {

QString demoLotsQuery()
{
    // Amounts come from a per-case sum of the payments joined to the cases (a plain join and group, which every
    // engine the suite runs on accepts): the lot's total handled and, of it, the capital.
    return QStringLiteral(
        "Select [tipo mandato] as mandato, altroriferimento as lotto, [data affido] as data_affido, "
        "count(*) as pratiche, sum(coalesce(pg.tot,0)) as totaff, sum(coalesce(pg.cap,0)) as incassato, "
        "case when sum(coalesce(pg.tot,0)) > 0 then round(100.0 * sum(coalesce(pg.cap,0)) / sum(coalesce(pg.tot,0)), "
        "2) "
        "else 0 end as perc "
        "From [Tabella Pratiche] left join (select conta, sum(totale) as tot, sum(capitale) as cap "
        "from [Tabella Pagamenti] group by conta) pg on pg.conta = [Tabella Pratiche].contatore "
        "group by [tipo mandato], altroriferimento, [data affido] order by [data affido], [tipo mandato]");
}

} // namespace demo
