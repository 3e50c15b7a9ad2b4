-- Three lots of cases: L-2 of 10/04/2008 (2 cases), L-1 of 15/01/2011 (3 cases), L-3 of 01/03/2010 (1 case).
INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], [tipo mandato], altroriferimento, [data affido]) VALUES (1, 'DEBITORE 1', 'NRV', 'L-1', '2011-01-15'), (2, 'DEBITORE 2', 'NRV', 'L-2', '2008-04-10'), (3, 'DEBITORE 3', 'NRV', 'L-1', '2011-01-15'), (4, 'DEBITORE 4', 'NRV', 'L-3', '2010-03-01'), (5, 'DEBITORE 5', 'NRV', 'L-1', '2011-01-15'), (6, 'DEBITORE 6', 'NRV', 'L-2', '2008-04-10')
-- Rows of the journal's operator tag (A_Z) and of another one in the working table.
INSERT INTO [Working] (operatore, SOC, data1, c1, N_1) VALUES ('A_Z', 'VECCHIO', '2001-01-01', 9, 9), ('B_Y', 'ALTRO', '2002-02-02', 7, 7.5)
