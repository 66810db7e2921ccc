-- Statements the program sends to the company database, in the legacy
-- dialect, with sample values. One record: a "-- kind | label" line, the
-- statement, then ";;". Kinds: select-ro, select-upd, action.

-- select-upd | Common (menu) db: memo record of table Appoggio (connection gsConnMenu)
Select * from Appoggio Where Codice = 'PdfEmail'
;;
-- select-upd | Print queue: earlier requests of user/program/year (rows then deleted and one added via recordset)
Select * from DocDaElab Where Utente = 'D''Angelo' AND Programma = 'DdtW01' AND Anno = 2026
;;
-- action | TransInizio on a server connection (pass-through, option 64)
SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED
;;
-- action | TransConferma / TransAnnulla on a server connection (pass-through, option 64)
SET TRANSACTION ISOLATION LEVEL READ COMMITTED
;;
-- select-ro | Price search: supplier article data (last cost, level filter = no-level marker)
Select * from ArticoliFor Where Articolo = 'ART001' AND Livello1 = '~ç~' AND Livello2 = '~ç~' AND GruppoFor = '04' AND MastroFor = '10' AND ContoFor = '0012'
;;
-- select-ro | Price search: promotion covering the date (level filter from PrepSqlLivelli)
Select top 1 * from ArtLisPromozioni Where Articolo = 'ART001' AND Listino = 'L01' And Livello1 = 'M' And Livello2 = 'BLU' AND DataInizioProm <= #2026-12-10# AND DataFineProm >= #2026-12-10# ORDER BY DataInizioProm Desc
;;
-- select-ro | Price search: price-list row valid on the date, with list defaults
Select top 1 ArtListini.*, Listini.ScoSomSost, Listini.Sconto from ArtListini LEFT JOIN Listini ON ArtListini.Listino = Listini.Listino Where Articolo = 'ART001' AND ArtListini.Listino = 'L01' AND Livello1 = '~ç~' AND Livello2 = '~ç~' AND DataInizio <= #2026-12-10# ORDER BY DataInizio Desc
;;
-- select-ro | Price search: article costs of the year (level filter from PrepSqlLivelli, one level)
Select * from ArticoliCosti Where anno = 2026 AND Articolo = 'ART001' And Livello1 = 'M' And Livello2 = '~ç~'
;;
-- select-ro | MostraUltCosto: last cost notice
Select CostoUltimo from ArticoliCosti Where anno = 2026 AND Articolo = 'ART001' AND Livello1 = '~ç~' AND Livello2 = '~ç~'
;;
-- select-ro | RicScontoTab: union of table-discount rules (account given, no quantity, TabSconti "1"; members 1,2,4,5,6,7)
Select 0 as Ord, Sconti.* from Sconti Where Articolo = 'ART001' and Gruppo = '01' and Mastro = '02' and Conto = '0003' and Tipo = '3' and ArtGruppo = '~ç~' and ArtsottoGru = '~ç~' and Categoria = '~ç~' union Select 1 as Ord, Sconti.* from Sconti Where Articolo = 'ART001' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and Tipo = '~' and ArtGruppo = '~ç~' and ArtsottoGru = '~ç~' and Categoria = 'CAT1' union Select 2 as Ord, Sconti.* from Sconti Where Articolo = '~ç~' and Gruppo = '01' and Mastro = '02' and Conto = '0003' and Tipo = '3' and ArtGruppo = 'GR1' and ArtsottoGru = 'SG1' and Categoria = '~ç~' union Select 3 as Ord, Sconti.* from Sconti Where Articolo = '~ç~' and Gruppo = '01' and Mastro = '02' and Conto = '0003' and Tipo = '3' and ArtGruppo = 'GR1' and ArtsottoGru = '~ç~' and Categoria = '~ç~' union Select 4 as Ord, Sconti.* from Sconti Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and Tipo = '~' and ArtGruppo = 'GR1' and ArtsottoGru = 'SG1' and Categoria = 'CAT1' union Select 5 as Ord, Sconti.* from Sconti Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and Tipo = '~' and ArtGruppo = 'GR1' and ArtsottoGru = '~ç~' and Categoria = 'CAT1' order by ord
;;
-- select-ro | RicScontoQta: union of quantity rules on ScoQua (account and quantity given, TabSconti "1"; all 9 members)
Select 0 as Ord, ScoQua.* from ScoQua Where Articolo = 'ART001' and Gruppo = '01' and Mastro = '02' and Conto = '0003' and ArtGruppo = '~ç~' and ArtsottoGru = '~ç~' and Categoria = '~ç~' and DaQuantita <= 30.5 union Select 1 as Ord, ScoQua.* from ScoQua Where Articolo = 'ART001' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = '~ç~' and ArtsottoGru = '~ç~' and Categoria = 'CAT1' and DaQuantita <= 30.5 union Select 2 as Ord, ScoQua.* from ScoQua Where Articolo = 'ART001' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = '~ç~' and ArtsottoGru = '~ç~' and Categoria = '~ç~' and DaQuantita <= 30.5 union Select 3 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '01' and Mastro = '02' and Conto = '0003' and ArtGruppo = 'GR1' and ArtsottoGru = 'SG1' and Categoria = '~ç~' and DaQuantita <= 30.5 union Select 4 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '01' and Mastro = '02' and Conto = '0003' and ArtGruppo = 'GR1' and ArtsottoGru = '~ç~' and Categoria = '~ç~' and DaQuantita <= 30.5 union Select 3 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = 'GR1' and ArtsottoGru = 'SG1' and Categoria = 'CAT1' and DaQuantita <= 30.5 union Select 4 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = 'GR1' and ArtsottoGru = '~ç~' and Categoria = 'CAT1' and DaQuantita <= 30.5 union Select 5 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = 'GR1' and ArtsottoGru = 'SG1' and Categoria = '~ç~' and DaQuantita <= 30.5 union Select 6 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = 'GR1' and ArtsottoGru = '~ç~' and Categoria = '~ç~' and DaQuantita <= 30.5 order by ord, DaQuantita desc
;;
-- select-ro | RicScontoQta: union on ScoQua without a customer account (members 3,8,9 only)
Select 0 as Ord, ScoQua.* from ScoQua Where Articolo = 'ART001' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = '~ç~' and ArtsottoGru = '~ç~' and Categoria = '~ç~' and DaQuantita <= 12 union Select 1 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = 'GR1' and ArtsottoGru = 'SG1' and Categoria = '~ç~' and DaQuantita <= 12 union Select 2 as Ord, ScoQua.* from ScoQua Where Articolo = '~ç~' and Gruppo = '~ç' and Mastro = '~ç' and Conto = '~ç~' and ArtGruppo = 'GR1' and ArtsottoGru = '~ç~' and Categoria = '~ç~' and DaQuantita <= 12 order by ord, DaQuantita desc
;;
-- select-upd | AggPrezziLivelli: level rows of one line (fullest: level-1 filter and StatoRiga is null; table DdtLiv or DdtLivApp)
Select * FROM DdtLivApp WHERE Anno = 2026 AND NumRif = 15 AND RigLiv = 3 AND Livello1 = 'M' AND StatoRiga is null
;;
-- select-upd | AggPrezziLivelli: plain form, all level rows of the line in the archive table
Select * FROM DdtLiv WHERE Anno = 2026 AND NumRif = 15 AND RigLiv = 3
;;
-- select-ro | LeggiMoneta: decimals, operator and Cee of a currency
Select * from Monete where moneta = 'Euro'
;;
-- select-ro | ArrotScaglioni: rounding bands (ArrotLire for side "L", ArrotEuro otherwise, same shape)
Select * from ArrotLire Order By FinoA
;;
-- select-ro | CalcGiacenza: stock progressives summed (fullest: warehouse and both levels given)
Select sum(QtaIniziale) As SumQtaIniziale, sum(QtaCarico) As SumQtaCarico, sum(QtaSCarico) As SumQtaSCarico, sum(QtaOrdFor) As SumQtaOrdFor, sum(QtaImpCli) As SumQtaImpCli from ArticoliProg Where Anno = 2026 and Articolo = 'ART001' and Magazzino = '01' and Livello1 = 'M' and Livello2 = 'BLU'
;;
-- select-ro | LeggiScortaMin: minimum stock per article and warehouse
Select ArtScorte.ScortaMinima from ArtScorte Where Articolo = 'ART001' and Magazzino = '01'
;;
-- select-ro | LeggiScortaMin: fallback to the article's minimum stock
Select Articoli.ScortaMinima from Articoli Where Articolo = 'ART001'
;;
-- select-ro | LeggiGruppiLiv: level groups of an article, LivGruppi joined twice under aliases
SELECT Articoli.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2, LivGruppi_1.*, LivGruppi_2.* FROM (Articoli LEFT JOIN LivGruppi AS LivGruppi_1 ON Articoli.LivGruppo1 = LivGruppi_1.LivGruppo) LEFT JOIN LivGruppi AS LivGruppi_2 ON Articoli.LivGruppo2 = LivGruppi_2.LivGruppo WHERE Articoli.Articolo = 'ART001'
;;
-- select-upd | AggDateListini: price-list rows of article/levels/list (DataFine rewritten via recordset; FindFirst criterion "datainizio = #2026-03-01#")
SELECT ArtListini.* FROM ArtListini WHERE Articolo = 'ART001' and Livello1 = '~ç~' and Livello2 = '~ç~' and Listino = 'L01' order by DataInizio
;;
-- select-ro | CalcProvvRidotta: commission reduction by total discount threshold
Select Top 1 * from ScontiProvv Where APartireDa <= 14.5 Order by APartireDa Desc
;;
-- select-ro | ApriFatturaCollegata: kind of the linked invoice
Select FattAccomp from FatTest Where Anno = 2026 And NumRif = 123
;;
-- action | SvuotaAppoggioTemp: clean-up of a user's scratch rows
DELETE FROM AppoggioTemp WHERE Utente = 'D''Angelo' AND IdProgramma = 'DDT'
;;
-- select-upd | BloccaDoc: lock row of a document (insert / state update / delete through the recordset)
Select * from LockGest Where Tipo = 'D' AND Anno = 2026 AND NumReg = 15
;;
-- select-ro | CalcProssNum: next DDT reference number (RicUltNum passes DdtTest, "numrif")
Select max(numrif) as MaxNum from DdtTest where anno = 2026
;;
-- select-ro | VerifCaricoPartita: stock load of batch (DescPers1) and lot (DescPers3), nested inner joins
SELECT MovMagTes.Anno, MovMagDett.NumReg, MovMagDett.RigReg FROM (MovMagTes INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale) INNER JOIN MovMagDett ON MovMagTes.NumReg = MovMagDett.NumReg AND MovMagTes.Anno = MovMagDett.Anno WHERE MovMagDett.Anno = 2026 AND MovMagDett.Articolo = 'ART001' AND MovMagDett.DescPers1 = 'P2026/07' AND MovMagDett.DescPers3 = 'L0042' AND (MagCausali.CarScar = 'C' OR MagCausali.CarScar = 'N') AND MagCausali.Segno = '+'
;;
-- select-upd | AggModCambio: article lines re-valued in ValLire/ValEuro after a rate change (natural; DdtLiv rows likewise)
Select * from DdtDett Where Anno = 2026 AND NumRif = 15 AND (TipoRiga = 'A' OR TipoRiga = 'M')
;;
-- action | VerAggCambioContratto: new contract on lines holding the old one
Update DdtDett Set Contratto = 'C02' Where Anno = 2026 AND NumRif = 15 AND Contratto = 'C01'
;;
-- action | VerAggCambioContratto: new contract on lines without contract
Update DdtDett Set Contratto = 'C02' Where Anno = 2026 AND NumRif = 15 AND IsNull(Contratto)
;;
-- action | VerAggCambioIva: new VAT code on non-descriptive lines with the old code
Update DdtDett Set iva = '22' Where Anno = 2026 AND NumRif = 15 AND TipoRiga <> 'D' AND iva = '20'
;;
-- action | VerAggCambioIva: same on expense rows with the old code (reconstructed: 'the same on the expense rows', TipoRiga dropped)
Update DdtSpese Set iva = '22' Where Anno = 2026 AND NumRif = 15 AND iva = '20'
;;
-- action | VerAggCambioIva: expense rows when the old code is empty, joined UPDATE with Spese (join column Spesa guessed)
Update DdtSpese INNER JOIN Spese ON DdtSpese.Spesa = Spese.Spesa Set DdtSpese.iva = '22' Where DdtSpese.Anno = 2026 AND DdtSpese.NumRif = 15 AND Spese.TipoAddebito <> 'T'
;;
-- action | VerAggCambioProvv/AggCambioProvv: new commission on lines with the old one (natural; line column name PercProvv1 guessed, agent 2 PercProvv2)
Update DdtDett Set PercProvv1 = 5.5 Where Anno = 2026 AND NumRif = 15 AND PercProvv1 = 4
;;
-- select-ro | VerContrDoppio: lines whose contract differs from the header contract (natural)
Select count(*) as NumRighe from DdtDett Where Anno = 2026 AND NumRif = 15 AND (TipoRiga = 'A' OR TipoRiga = 'M') AND (Contratto <> 'C01' OR IsNull(Contratto))
;;
-- select-ro | VerContrDoppio: header without contract, lines that carry one (natural)
Select count(*) as NumRighe from DdtDett Where Anno = 2026 AND NumRif = 15 AND (TipoRiga = 'A' OR TipoRiga = 'M') AND Not IsNull(Contratto)
;;
-- action | CancDoc: delete the DDT's lines (natural; DdtLiv, DdtMatr, DdtSpese the same shape)
Delete * from DdtDett Where Anno = 2026 AND NumRif = 15
;;
-- action | CancDoc: delete the DDT's lot rows, keyed by NumReg (natural)
Delete * from DdtRintraccia Where Anno = 2026 AND NumReg = 15
;;
-- select-ro | CopiaRighe (duplication): source lines read, rows added to DdtDettApp with reset columns (natural)
Select * from DdtDett Where Anno = 2025 AND NumRif = 7
;;
-- action | DisAggDocProv: source DDT with a printed number put back to state S (natural)
Update DdtTest Set Stato = 'S' Where Anno = 2025 AND NumRif = 7
;;
-- select-ro | VerifCancLotti: lot rows of a DDT line (fullest: one line; ' ,Lotto' spacing as written)
Select Articolo, GruppoCliFor, MastroCliFor, ContoCliFor ,Lotto, NrProgLotto from DdtRintraccia Where Anno = 2026 And NumReg = 15 And RigLiv = 3
;;
-- select-ro | VerifCambioLotti: does the DDT have traceability rows
Select * from DdtRintraccia Where anno = 2026 And numreg = 15
;;
-- select-ro | MostraTutto: joined read of a header, 21 nested LEFT JOINs (fullest: class column PdcClasseAttr2, 88 columns)
Select FattDocumenti.Descrizione, FattDocumenti.MagCausale, FattDocumenti.DoveStampoDesLung, FattDocumenti.PrezzoDDT, FattDocumenti.Listino, FattDocumenti.TabSconti, FattDocumenti.MagCausaleRientro, FattDocumenti.Segno, PianoConti.Pagamento, PianoConti.Pagamento2, FattDocumenti.RegimeMargine, FattDocumenti.Interno, PianoConti.RagSoc, MagCausali.QualeImporto, MagCausali.TipoMov, MagCausali.CarScar, MagCausali.Segno, MagCausali.Prov, MagCausali.Dest, MagCausali.Descrizione, PianoConti.RagSoc2, PianoConti.Descrizione, PianoConti.Indirizzo, PianoConti.CAP, PianoConti.Localita, PianoConti.Pr, FattDocumenti.Pagamento, PianoConti.PdcClasseAttr2, PianoConti.Stato, PianoConti.Telefono, PianoConti.PartIva, PianoConti.CodFisc, PianoConti.Bolli, PianoConti.SpeseBan, PianoConti.Provv1, PianoConti.Provv2, PianoConti.DataChiu, PianoConti.Fido, PianoConti.Spesa, PianoConti.DicIntenti, PianoConti.RagRb, PianoConti.Rischio, PianoConti.NoteCF, PianoConti.PrezzoDDT, PianoConti.RagDDT, PianoConti.Listino, PianoConti.Categoria, PianoConti.Zona, PianoConti.GruppoContr, PianoConti.MastroContr, PianoConti.ContoContr, PianoConti.CassaPrev, Stati.Iso, Listini.Moneta, Listini.Descrizione, Listini.Ivato, Listini.Sconto, Listini.ScoSomSost, Pagamenti.Descrizione, Pagamenti.NotaFissa, Banche.Descrizione, TabIva.Descrizione, Magazzini.Descrizione, MagazziniCar.Descrizione, Monete.Descrizione, Agenti.RagSoc, Agenti.Provv, AgentiBis.RagSoc, AgentiBis.Provv, IndSped.RagSoc, IndSped.RagSoc2, IndSped.Indirizzo, IndSped.CAP, IndSped.Localita, IndSped.Pr, IndSped.Stato, Vettori.RagSoc, Vettori.Indirizzo, Vettori.CAP, Vettori.Localita, Vettori.Pr, Vettori.Targa, CauTrasporti.Descrizione, AspettoBeni.Descrizione, Rese.Descrizione, Trasporti.Descrizione, Lingue.Descrizione, Contratti.Descrizione FROM (((((((((((((((((((((DdtTest LEFT JOIN FattDocumenti ON DdtTest.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Pagamenti ON DdtTest.Pagamento = Pagamenti.Pagamento) LEFT JOIN Listini ON DdtTest.Listino = Listini.Listino) LEFT JOIN Banche ON DdtTest.Banca = Banche.Banca) LEFT JOIN TabIva ON DdtTest.Iva = TabIva.Iva) LEFT JOIN Monete ON DdtTest.Moneta = Monete.Moneta) LEFT JOIN Vettori ON DdtTest.Vettore = Vettori.Vettore) LEFT JOIN CauTrasporti ON DdtTest.CauTrasporto = CauTrasporti.CauTrasporto) LEFT JOIN AspettoBeni ON DdtTest.AspettoBene = AspettoBeni.AspettoBene) LEFT JOIN Trasporti ON DdtTest.Trasporto = Trasporti.Trasporto) LEFT JOIN Rese ON DdtTest.Resa = Rese.Resa) LEFT JOIN MagCausali ON FattDocumenti.MagCausale = MagCausali.MagCausale) LEFT JOIN PianoConti ON (DdtTest.ContoCli = PianoConti.Conto) AND (DdtTest.MastroCli = PianoConti.Mastro) AND (DdtTest.GruppoCli = PianoConti.Gruppo)) LEFT JOIN IndSped ON (DdtTest.IndSped = IndSped.IndSped) AND (DdtTest.ContoCli = IndSped.Conto) AND (DdtTest.MastroCli = IndSped.Mastro) AND (DdtTest.GruppoCli = IndSped.Gruppo)) LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato) LEFT JOIN Agenti ON DdtTest.Agente1 = Agenti.Agente) LEFT JOIN Agenti AS AgentiBis ON DdtTest.Agente2 = AgentiBis.Agente) LEFT JOIN Magazzini ON DdtTest.MagazzProv = Magazzini.Magazzino) LEFT JOIN Magazzini AS MagazziniCar ON DdtTest.MagazzDest = MagazziniCar.Magazzino) LEFT JOIN Contratti ON DdtTest.Contratto = Contratti.Contratto) LEFT JOIN Lingue ON DdtTest.lingua = lingue.lingua) Where DdtTest.Anno = 2026 And DdtTest.NumRif = 15
;;
-- select-ro | NonValeNumDoc: numerator row of prefix and document year
Select * from NumerDdt Where anno = 2026 And Prefisso = 'A'
;;
-- select-ro | NonValeNumDoc: another DDT with the same printed number
Select count(*) as DocUguale from DdtTest Where PreDoc = 'A' and NumDoc = 123 and year(DataDoc) = 2026 and (Anno <> 2026 or NumRif <> 15)
;;
-- select-ro | MostraDett: line grid (fullest: personal order Qta§900,Articoli.Descrizione§2500^DesArt, levels managed)
Select DdtDett.Qta as Quantità, Articoli.Descrizione as DesArt, DdtDett.Articolo, iif(DdtDett.TipoRiga = 'D',DdtDett.NotaSopra, iif(DdtDett.TipoRiga = 'C',DdtDett.Comando & ' ' & DdtDett.NotaSopra, iif(not isnull(DdtDett.Descrizione),DdtDett.Descrizione, Articoli.Descrizione))) as _Descrizione, DdtDett.UM as UM, DdtDett.ValUnitario as Prz_Unitario, DdtDett.ValTotale as Prz_Totale, DdtDett.Iva, DdtDett.ScontoTot as Sconto, DdtDett.GruppoVen & '-' & DdtDett.MastroVen & '-' & DdtDett.ContoVen as ContoRicavo, (select livello1 from DdtLiv where DdtLiv.Anno = DdtDett.Anno and DdtLiv.Numrif = DdtDett.Numrif and DdtLiv.RigLiv = DdtDett.RigLiv and (select count(*) from DdtLiv as DL2 where DL2.Anno = DdtDett.Anno and DL2.Numrif = DdtDett.Numrif and DL2.RigLiv = DdtDett.RigLiv) = 1) as Liv1, (select livello2 from DdtLiv where DdtLiv.Anno = DdtDett.Anno and DdtLiv.Numrif = DdtDett.Numrif and DdtLiv.RigLiv = DdtDett.RigLiv and (select count(*) from DdtLiv as DL2 where DL2.Anno = DdtDett.Anno and DL2.Numrif = DdtDett.Numrif and DL2.RigLiv = DdtDett.RigLiv) = 1) as Liv2, DdtDett.Omaggio, DdtDett.NotaSopra, DdtDett.NotaSotto FROM (Articoli RIGHT JOIN DdtDett ON Articoli.Articolo = DdtDett.Articolo) INNER JOIN DdtTest ON (DdtDett.Anno = DdtTest.Anno) AND (DdtDett.NumRif = DdtTest.NumRif) where DdtDett.Anno = 2026 AND DdtDett.NumRif = 15 ORDER BY DdtDett.RigDet
;;
-- select-ro | MostraDett: line grid, catalogue order, levels not managed
Select DdtDett.Articolo, iif(DdtDett.TipoRiga = 'D',DdtDett.NotaSopra, iif(DdtDett.TipoRiga = 'C',DdtDett.Comando & ' ' & DdtDett.NotaSopra, iif(not isnull(DdtDett.Descrizione),DdtDett.Descrizione, Articoli.Descrizione))) as _Descrizione, DdtDett.UM as UM, DdtDett.Qta as Quantità, DdtDett.ValUnitario as Prz_Unitario, DdtDett.ValTotale as Prz_Totale, DdtDett.Iva, DdtDett.ScontoTot as Sconto, DdtDett.GruppoVen & '-' & DdtDett.MastroVen & '-' & DdtDett.ContoVen as ContoRicavo, DdtDett.Omaggio, DdtDett.NotaSopra, DdtDett.NotaSotto FROM (Articoli RIGHT JOIN DdtDett ON Articoli.Articolo = DdtDett.Articolo) INNER JOIN DdtTest ON (DdtDett.Anno = DdtTest.Anno) AND (DdtDett.NumRif = DdtTest.NumRif) where DdtDett.Anno = 2026 AND DdtDett.NumRif = 15 ORDER BY DdtDett.RigDet
;;
-- select-ro | Empty line grid after a clear (also )
Select DdtDett.Articolo from DdtDett where DdtDett.Anno = -1234
;;
-- select-ro | MostraProvenienza: evasion invoice through FatAccum (RagDDT E or A)
Select FatTest.Anno, FatTest.NumRif, FatTest.PreDoc, FatTest.NumDoc, FatTest.DataDoc FROM (DdtTest INNER JOIN FatAccum ON (DdtTest.NumRif = FatAccum.DDTNumRif) AND (DdtTest.Anno = FatAccum.DDTAnno)) INNER JOIN FatTest ON (FatAccum.FatNumRif = FatTest.NumRif) AND (FatAccum.FatAnno = FatTest.Anno) Where DdtTest.Anno = 2026 And DdtTest.NumRif = 15
;;
-- select-ro | MostraProvenienza: evasion invoice through the invoice lines
Select FatTest.Anno, FatTest.NumRif, FatTest.PreDoc, FatTest.NumDoc, FatTest.DataDoc FROM (DdtTest INNER JOIN FatDett ON (DdtTest.NumRif = FatDett.NumRifProv) AND (DdtTest.Anno = FatDett.AnnoRifProv)) INNER JOIN FatTest ON (FatDett.NumRif = FatTest.NumRif) AND (FatDett.Anno = FatTest.Anno) Where FatDett.TipoProv = 'D' And DdtTest.Anno = 2026 And DdtTest.NumRif = 15
;;
-- select-ro | MostraProvenienza: source documents, grid-bound, First() aggregate (PreVenTest for Provenienza P, same shape)
Select DdtDett.AnnoRifProv as AnnoRiferim, DdtDett.NumRifProv as NumRiferim, First(OrdVenTest.NumDoc) AS NumDoc, First(OrdVenTest.DataDoc) AS DataDoc FROM DdtDett LEFT JOIN OrdVenTest ON (DdtDett.AnnoRifProv = OrdVenTest.Anno) AND (DdtDett.NumRifProv = OrdVenTest.NumRif) Where DdtDett.TipoProv = 'O' And DdtDett.Anno = 2026 And DdtDett.NumRif = 15 GROUP BY DdtDett.AnnoRifProv, DdtDett.NumRifProv, DdtDett.TipoProv
;;
-- select-ro | MostraScad: overdue unpaid due dates of the addressee, Sum(IIf()) by in/out
Select Min(Scadenze.DataScad) AS MaxDiDataScad, Count(*) AS Quanti, Sum(IIf(Scadenze.EntrataUscita='E',Scadenze.ImportoScadLire,0)) AS ImportoScadLireEnt, Sum(IIf(Scadenze.EntrataUscita='E',Scadenze.ImportoScadEuro,0)) AS ImportoScadEuroEnt, Sum(IIf(Scadenze.EntrataUscita='U',Scadenze.ImportoScadLire,0)) AS ImportoScadLireUsc, Sum(IIf(Scadenze.EntrataUscita='U',Scadenze.ImportoScadEuro,0)) AS ImportoScadEuroUsc from Scadenze Where GruppoScad = '01' And MastroScad = '02' And ContoScad = '0003' And Tipo = '3' And DataScad <= #2026-12-10# And (NumRegPag Is null OR NumRegPag=0) And DataRegPag Is null GROUP BY Scadenze.GruppoScad, Scadenze.MastroScad, Scadenze.ContoScad, Scadenze.Tipo
;;
-- select-ro | PrepSql: DDT list (fullest: 2 extra columns ListaAggEle 'Peso,3,...' and 'PianoConti.Localita,9,...', all 17 criteria; WHERE joining of the list page assumed ' AND ', pers prefix P = ' AND ')
Select DdtTest.Anno, DdtTest.NumRif, Peso as _Peso, DdtTest.DataRif, DdtTest.FattDocumento, DdtTest.PreDoc & '/' & DdtTest.NumDoc as Documento, DdtTest.DataDoc, DdtTest.GruppoCli & '-' & MastroCli & '-' & ContoCli as Cliente, PianoConti.Localita, PianoConti.Descrizione, iif(DdtTest.Stato = 'S','Stampato', iif(DdtTest.Stato = 'E','Evaso',' ')), DdtTest.RifCli, DdtTest.Nota, DdtTest.Stato as StatoSel FROM DdtTest LEFT JOIN Pianoconti ON DdtTest.GruppoCli = Pianoconti.Gruppo AND DdtTest.MastroCli = Pianoconti.Mastro AND DdtTest.ContoCli = Pianoconti.Conto where Anno >= 2026 AND Anno <= 2026 AND NumRif >= 1 AND NumRif <= 500 AND DataRif >= #2026-01-01# AND DataRif <= #2026-12-31# AND FattDocumento = 'DDT' AND Pianoconti.Tipo = '3' AND  DdtTest.GruppoCli = '01' AND DdtTest.MastroCli = '02' AND DdtTest.ContoCli = '0003' AND PreDoc = 'A' AND NumDoc >= 1 AND NumDoc <= 100 AND DataDoc >= #2026-01-01# AND DataDoc <= #2026-12-31# AND RifCli like 'O''Brien*' AND EXISTS (Select Articolo From DdtDett Where DdtTest.Anno = DdtDett.Anno AND DdtTest.NumRif = DdtDett.NumRif AND DdtDett.Articolo = 'ART001') AND IsNull(DdtTest.Stato) Order by DdtTest.DataRif DESC, DdtTest.NumRif DESC
;;
-- select-ro | PrepSql: DDT list, no criteria, default order
Select DdtTest.Anno, DdtTest.NumRif, DdtTest.DataRif, DdtTest.FattDocumento, DdtTest.PreDoc & '/' & DdtTest.NumDoc as Documento, DdtTest.DataDoc, DdtTest.GruppoCli & '-' & MastroCli & '-' & ContoCli as Cliente, PianoConti.Descrizione, iif(DdtTest.Stato = 'S','Stampato', iif(DdtTest.Stato = 'E','Evaso',' ')), DdtTest.RifCli, DdtTest.Nota, DdtTest.Stato as StatoSel FROM DdtTest LEFT JOIN Pianoconti ON DdtTest.GruppoCli = Pianoconti.Gruppo AND DdtTest.MastroCli = Pianoconti.Mastro AND DdtTest.ContoCli = Pianoconti.Conto Order by DdtTest.DataRif, DdtTest.NumRif
;;
-- select-ro | DDT list re-sorted by a click on heading Cliente (ColToSourceField expression; rewrite done by ComandiLista, form assumed)
Select DdtTest.Anno, DdtTest.NumRif, DdtTest.DataRif, DdtTest.FattDocumento, DdtTest.PreDoc & '/' & DdtTest.NumDoc as Documento, DdtTest.DataDoc, DdtTest.GruppoCli & '-' & MastroCli & '-' & ContoCli as Cliente, PianoConti.Descrizione, iif(DdtTest.Stato = 'S','Stampato', iif(DdtTest.Stato = 'E','Evaso',' ')), DdtTest.RifCli, DdtTest.Nota, DdtTest.Stato as StatoSel FROM DdtTest LEFT JOIN Pianoconti ON DdtTest.GruppoCli = Pianoconti.Gruppo AND DdtTest.MastroCli = Pianoconti.Mastro AND DdtTest.ContoCli = Pianoconti.Conto where Anno >= 2026 AND Anno <= 2026 AND DdtTest.Stato = 'E' Order by DdtTest.GruppoCli & '-' & MastroCli & '-' & ContoCli
;;
-- select-upd | Navigation bar reads/writes the header row by its key (implied: the bar's own SQL is not in the text)
Select * from DdtTest Where Anno = 2026 AND NumRif = 15
;;
-- select-upd | LanciaStampaDoc: unfinished print jobs of user/program/year in the print queue (deleted on "&Si", then the new job row Utente/Programma/Anno/NumReg/DataOraEvas/Comando='S' is added)
Select * from DocDaElab Where Utente = 'MARIO' AND Programma = 'VENDDT' AND Anno = 2026
;;
-- select-upd | UtilDocFattGest.AggPrezziLivelli: level rows of one line, fullest variant (level-1 filter when flag=1 and not all levels, open rows only)
Select * FROM DdtLiv WHERE Anno = 2026 AND NumRif = 123 AND RigLiv = 7 AND Livello1 = 'ROSSO' AND StatoRiga is null
;;
-- select-upd | UtilDocFattGest.AggPrezziLivelli: plain variant, as called by VerAggCambioScoCli (flag "2", all levels, all rows;  line 2303)
Select * FROM DdtLiv WHERE Anno = 2026 AND NumRif = 123 AND RigLiv = 7
;;
-- select-upd | ComLock.BloccaDoc: look for the document lock row (row added / Stato rewritten / row deleted by SbloccaDoc through this recordset); same shape for kind 'M' with parent 'D' ()
Select * from LockGest Where Tipo = 'D' AND Anno = 2026 AND NumReg = 123
;;
-- select-ro | UtilDocFattGest.RicPrezzo kind "L": active promotion of the article on the list (no-level marker filter)
Select top 1 * from ArtLisPromozioni Where Articolo = 'CASSA01' AND Listino = 'L01' AND Livello1 = '~ç~' AND Livello2 = '~ç~' AND DataInizioProm <= #2026-12-10# AND DataFineProm >= #2026-12-10# ORDER BY DataInizioProm Desc
;;
-- select-ro | UtilDocFattGest.RicPrezzo kind "L": latest list price joined to the list (duplicate column names Sconto/ScoSomSost from ArtListini.* and Listini)
Select top 1 ArtListini.*, Listini.ScoSomSost, Listini.Sconto from ArtListini LEFT JOIN Listini ON ArtListini.Listino = Listini.Listino Where Articolo = 'CASSA01' AND ArtListini.Listino = 'L01' AND Livello1 = '~ç~' AND Livello2 = '~ç~' AND DataInizio <= #2026-12-10# ORDER BY DataInizio Desc
;;
-- select-ro | frmDdtTest.MostraDett: read-only line grid under the header, lines in RigDet order (described)
Select * from DdtDett Where Anno = 2026 AND NumRif = 123 Order by RigDet
;;
-- select-ro | frmDdtTest.MostraScad: overdue unpaid instalments of the customer up to the DDT date
Select Min(Scadenze.DataScad) AS MaxDiDataScad, Count(*) AS Quanti, Sum(IIf(Scadenze.EntrataUscita='E',Scadenze.ImportoScadLire,0)) AS ImportoScadLireEnt, Sum(IIf(Scadenze.EntrataUscita='E',Scadenze.ImportoScadEuro,0)) AS ImportoScadEuroEnt, Sum(IIf(Scadenze.EntrataUscita='U',Scadenze.ImportoScadLire,0)) AS ImportoScadLireUsc, Sum(IIf(Scadenze.EntrataUscita='U',Scadenze.ImportoScadEuro,0)) AS ImportoScadEuroUsc from Scadenze Where GruppoScad = '01' And MastroScad = '05' And ContoScad = '000123' And Tipo = '3' And DataScad <= #2026-12-10# And (NumRegPag Is null OR NumRegPag=0) And DataRegPag Is null GROUP BY Scadenze.GruppoScad, Scadenze.MastroScad, Scadenze.ContoScad, Scadenze.Tipo
;;
-- select-ro | DichIntenti.TestoDichIntenti: existence test of the customer's declaration(s), with a declaration code
Select * from PdcDicIntenti Where Gruppo = '01' And Mastro = '05' And Conto = '000123' And PdcDicIntenti = 5
;;
-- select-ro | DichIntenti.TestoDichIntenti: declarations read for the text, code 0 = all active ones
Select * from PdcDicIntenti Where Gruppo = '01' And Mastro = '05' And Conto = '000123' And Attivo = 'S' order by PdcDicIntenti
;;
-- select-ro | DichIntenti.TestoDichIntenti: declarations read for the text, one code
Select * from PdcDicIntenti Where Gruppo = '01' And Mastro = '05' And Conto = '000123' And PdcDicIntenti = 5 order by PdcDicIntenti
;;
-- select-ro | DichIntenti.TestoDichIntenti: fallback, declaration kept on the account record (no blank after the second comma, as concatenated)
Select PianoConti.DicIntenti, PianoConti.NrPrgIntenti,PianoConti.DataRicComIntenti,PianoConti.NrDichIntenti,PianoConti.DataDichIntenti,PianoConti.ImportoDichIntenti from PianoConti Where Gruppo = '01' And Mastro = '05' And Conto = '000123'
;;
-- select-ro | DichIntenti.CalcUtilizzatoDich: amount used by invoices ("D" = TotDocum; document types with segno '-' negative) (described)
Select Sum(IIf(FattDocumenti.Segno='-',-FatTest.TotDocum,FatTest.TotDocum)) AS Totale from FatTest LEFT JOIN FattDocumenti ON FatTest.FattDocumento = FattDocumenti.FattDocumento Where FatTest.GruppoCli = '01' And FatTest.MastroCli = '05' And FatTest.ContoCli = '000123' And FatTest.PdcDicIntenti = 5
;;
-- select-ro | DichIntenti.CalcUtilizzatoDich: amount used by DDTs (Stato 'S' or Null); "E" mode sums TotDocum-TotIva-TotImpon (described)
Select Sum(TotDocum - TotIva - TotImpon) AS Totale from DdtTest Where GruppoCli = '01' And MastroCli = '05' And ContoCli = '000123' And PdcDicIntenti = 5 And (Stato = 'S' Or IsNull(Stato))
;;
-- select-ro | DichIntenti.CalcUtilizzatoDich: amount used by customer orders (Stato Null), "M" mode = TotMerce (described)
Select Sum(TotMerce) AS Totale from OrdVenTest Where GruppoCli = '01' And MastroCli = '05' And ContoCli = '000123' And PdcDicIntenti = 5 And IsNull(Stato)
;;
-- select-upd | frmSpeseDoc.TabellaStd: rows query of the expense grid (list edits the rows; key Anno,NumRif,Riga; unqualified Anno/NumRif/Riga in a join)
SELECT Anno,NumRif,Riga, DdtSpese.Spesa, Spese.Descrizione, Spese.TipoAddebito, DdtSpese.Iva, DdtSpese.Importo, DdtSpese.Percentuale, DdtSpese.ImportoMin, DdtSpese.ImportoMax, DdtSpese.SoggRitAcc FROM Spese INNER JOIN DdtSpese ON Spese.Spesa = DdtSpese.Spesa WHERE anno = 2026 and NumRif = 123
;;
-- select-ro | AggSpeBan.EsisteCassaPrev: does the DDT have a social-security expense row (parenthesised join, unqualified CassaPrev)
Select TOP 1 * from (DdtSpese Left Join Spese On Spese.Spesa = DdtSpese.Spesa) where DdtSpese.anno = 2026 AND DdtSpese.NumRif = 123 AND CassaPrev = 'S'
;;
-- select-ro | AggSpeBan.InsSpeseStandard: standard expenses (empty filter)
Select * from Spese Where Standard = 'S'
;;
-- select-ro | AggSpeBan.InsSpeseStandard with the filter " Where Spesa = " + code (social-security expense / customer's fixed expense)
Select * from Spese Where Spesa = 'CASSAPR'
;;
-- select-ro | AggSpeBan.InsSpeseStandard: highest Riga of the document (next Riga = it + 1, 0 when none)
Select top 1 * from DdtSpese where anno = 2026 AND NumRif = 123 order by Riga DESC
;;
-- action | AggSpeBan.InsSpeseStandard / SostSpesaDoc / VerifSpeseBanPag: append one expense row (described: "appends a row"; may be a recordset AddNew)
Insert into DdtSpese (Anno, NumRif, Riga, Spesa, SoggRitAcc, Iva, Percentuale, Importo, ImportoMax, ImportoMin) Values (2026, 123, 3, 'TRASP', 'S', '22', 0, 15.5, 0, 0)
;;
-- select-upd | AggSpeBan.SostSpesaDoc: old expense row of the document (deleted / rewritten through the recordset; VerifSpeseBanPag/VerifSpeseBolli look up the old row the same way)
Select TOP 1 * from DdtSpese where anno = 2026 AND NumRif = 123 AND Spesa = 'INCASSO'
;;
-- select-ro | AggSpeBan.SostSpesaDoc: the new expense
Select Spese.* from Spese where Spesa = 'INCASSO2'
;;
-- select-ro | AggSpeBan.VerifSpeseBanPag: is the customer charged bank charges
Select PianoConti.SpeseBan from PianoConti where Gruppo = '01' and Mastro = '05' and Conto = '000123'
;;
-- select-ro | AggSpeBan.VerifSpeseBanPag / VerifSpeseBolli: payment with its expense (Pagamenti.* and Spese.* both carry Spesa)
Select Pagamenti.*,Spese.* from Pagamenti left join Spese on Pagamenti.Spesa = Spese.Spesa where Pagamento = 'RB60'
;;
-- select-ro | AggSpeBan.VerifSpeseBolli: is the customer charged stamp duty
Select PianoConti.Bolli from PianoConti where Gruppo = '01' and Mastro = '05' and Conto = '000123'
;;
-- select-ro | RipriDdt.RipristinoDdt: printed DDTs of the range with document type, currency and account (described)
Select DdtTest.*, FattDocumenti.*, Monete.*, PianoConti.* from ((DdtTest INNER JOIN FattDocumenti ON DdtTest.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Monete ON DdtTest.Moneta = Monete.Moneta) LEFT JOIN PianoConti ON (DdtTest.GruppoCli = PianoConti.Gruppo) AND (DdtTest.MastroCli = PianoConti.Mastro) AND (DdtTest.ContoCli = PianoConti.Conto) Where DdtTest.Stato = 'S' AND DdtTest.Anno = 2026 AND DdtTest.FattDocumento = 'DDT' AND DdtTest.NumRif >= 123 AND DdtTest.NumRif <= 123 AND DdtTest.PreDoc = 'A' Order by DdtTest.Anno, DdtTest.NumRif
;;
-- action | RipriDdt.RipristinoDdt: delete serial rows of a reversed movement (described)
Delete * from MovMagMatr Where Anno = 2026 AND NumReg = 456
;;
-- action | RipriDdt.RipristinoDdt: delete lot rows of a reversed movement (described)
Delete * from MovMagRintraccia Where Anno = 2026 AND NumReg = 456
;;
-- action | RipriDdt.RipristinoDdt: DDT back to editable, six movement references 0 (described)
Update DdtTest Set Stato = Null, NumMovim = 0, AnnoMovim = 0, NumMovProd = 0, AnnoMovProd = 0, NumMovDiBa = 0, AnnoMovDiBa = 0 Where Anno = 2026 AND NumRif = 123
;;
-- select-ro | RipriDdt.DisAggMovim: movement header with its warehouse cause (described; join column name guessed)
Select MovMagTes.*, MagCausali.* from MovMagTes LEFT JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale Where MovMagTes.Anno = 2026 AND MovMagTes.NumReg = 456
;;
-- select-upd | RipriDdt.DisAggMovim: detail rows ("D"; "L" = MovMagLiv) with their articles, each deleted or given FlagStato (described)
Select MovMagDett.*, Articoli.* from MovMagDett LEFT JOIN Articoli ON MovMagDett.Articolo = Articoli.Articolo Where MovMagDett.Anno = 2026 AND MovMagDett.NumReg = 456
;;
-- select-ro | frmDdtTest.MostraPagamento: does the payment's fixed note print on evasion
Select SuEvasione from NoteFisse Where NotaFissa = 'N01'
;;
-- select-ro | frmDdtTest.CalcTotColli: packages and quantities of the lines, deposit articles and lines owning an eco-fee line excluded (correlated Not Exists, self alias D2)
Select sum(DdtDett.Colli) as SommaColli, sum(DdtDett.Qta) as SommaQta from DdtDett left join Articoli on DdtDett.Articolo = Articoli.Articolo Where DdtDett.Anno = 2026 AND DdtDett.NumRif = 123 AND (IsNull(Articoli.Cauzione) or Articoli.Cauzione <> 'S') AND Not Exists(Select Articolo from DdtDett as D2 Where D2.Anno = 2026 AND D2.NumRif = 123 AND DdtDett.RigLivRAEE = D2.RigLiv)
;;
-- select-ro | frmDdtTest.CalcolaPeso: gross weight, fullest variant (gross mode + unit list; literal on the left of like with a built pattern)
Select Sum( Articoli.PesoLordo * DdtDett.Qta * IIf(IsNull(DdtDett.FatCon),1, IIf(DdtDett.FatCon=0,1,DdtDett.FatCon))) AS TotPeso FROM DdtDett INNER JOIN Articoli ON DdtDett.Articolo = Articoli.Articolo Where DdtDett.Anno = 2026 And DdtDett.NumRif = 123 And 'KG;PZ;' like '*' & DdtDett.UM & ';*'
;;
-- select-ro | frmDdtTest.CalcolaPeso: plain variant (quantities only, all units)
Select Sum(DdtDett.Qta * IIf(IsNull(DdtDett.FatCon),1, IIf(DdtDett.FatCon=0,1,DdtDett.FatCon))) AS TotPeso FROM DdtDett INNER JOIN Articoli ON DdtDett.Articolo = Articoli.Articolo Where DdtDett.Anno = 2026 And DdtDett.NumRif = 123
;;
-- action | VerAggCambioIva: new header VAT into the lines that carried the old one (not descriptive)
Update DdtDett Set iva = '22' Where Anno = 2026 AND NumRif = 123 AND TipoRiga <> 'D' AND iva = '10'
;;
-- action | VerAggCambioIva: no old VAT code, every non-descriptive line
Update DdtDett Set iva = '22' Where Anno = 2026 AND NumRif = 123 AND TipoRiga <> 'D'
;;
-- action | VerAggCambioIva: expense rows, no old code (joined UPDATE, stamp-duty expenses excluded)
Update DdtSpese inner join Spese On DdtSpese.Spesa = Spese.Spesa Set DdtSpese.iva = '22' Where DdtSpese.Anno = 2026 AND DdtSpese.NumRif = 123 AND Spese.TipoAddebito <> 'T'
;;
-- action | VerAggCambioIva: expense rows that carried the old code
Update DdtSpese Set DdtSpese.iva = '22' Where DdtSpese.Anno = 2026 AND DdtSpese.NumRif = 123 AND DdtSpese.iva = '10'
;;
-- action | VerAggCambioContratto: lines with the old contract
Update DdtDett Set Contratto = 'CTR02' Where Anno = 2026 AND NumRif = 123 AND Contratto = 'CTR01'
;;
-- action | VerAggCambioContratto: no old contract, lines without one
Update DdtDett Set Contratto = 'CTR02' Where Anno = 2026 AND NumRif = 123 AND IsNull(Contratto)
;;
-- action | AggCambioProvv: agent 1, only lines with the old percentage ("&Uguali")
Update DdtDett Set PercProvv1 = 3.5 Where Anno = 2026 AND NumRif = 123 AND PercProvv1 = 2.5
;;
-- action | AggCambioProvv: agent 2 emptied, all lines ("&Tutte"; empty kind-5 literal = Null)
Update DdtDett Set PercProvv2 = Null Where Anno = 2026 AND NumRif = 123
;;
-- select-upd | VerAggCambioScoCli: lines to re-discount, fullest variant (old customer discount OR payment-discount lines; two blanks after OR as concatenated)
Select DdtDett.*, Articoli.LivGruppo1, Articoli.LivGruppo2 from DdtDett LEFT JOIN Articoli On DdtDett.Articolo = Articoli.Articolo Where Anno = 2026 AND NumRif = 123 AND TipoRiga <> 'D' AND ( ScontoCli = '10' OR  FlScontoPag = 'S')
;;
-- select-upd | VerAggCambioScoCli: old customer discount empty, customer discount only
Select DdtDett.*, Articoli.LivGruppo1, Articoli.LivGruppo2 from DdtDett LEFT JOIN Articoli On DdtDett.Articolo = Articoli.Articolo Where Anno = 2026 AND NumRif = 123 AND TipoRiga <> 'D' AND ( ScontoCli is null)
;;
-- select-ro | VerAggCambioScoCli: line total from its level rows (GROUP BY ... HAVING on the key, blanks before commas)
SELECT Sum(ValTotale) AS Totale From DdtLiv GROUP BY Anno , NumRif , RigLiv HAVING Anno = 2026 AND NumRif = 123 AND RigLiv = 7
;;
-- select-upd | AggModCambio: article and manual lines to re-value (ValLire/ValEuro rewritten)
Select DdtDett.* from DdtDett Where DdtDett.Anno = 2026 AND DdtDett.NumRif = 123 AND (DdtDett.TipoRiga = 'A' OR DdtDett.TipoRiga = 'M')
;;
-- select-upd | AggModCambio: all level rows of the DDT (when Mag.GesTaglie = S)
Select DdtLiv.* from DdtLiv Where DdtLiv.Anno = 2026 AND DdtLiv.NumRif = 123
;;
-- select-ro | VerContrDoppio: article lines with another contract or none (header contract set)
Select count(*) as Tot From DdtDett where DdtDett.Anno = 2026 AND DdtDett.NumRif = 123 AND (DdtDett.Contratto <> 'CTR01' OR isnull(DdtDett.Contratto)) AND (TipoRiga = 'A' OR TipoRiga = 'M')
;;
-- select-ro | VerContrDoppio: article lines with any contract (header contract empty)
Select count(*) as Tot From DdtDett where DdtDett.Anno = 2026 AND DdtDett.NumRif = 123 AND not isnull(DdtDett.Contratto) AND (TipoRiga = 'A' OR TipoRiga = 'M')
;;
-- action | CancMovimRientro: delete the return movement header (Access "DELETE table.*", no blanks around =)
DELETE MovMagTes.* FROM MovMagTes WHERE MovMagTes.Anno=2026 AND MovMagTes.NumReg=456
;;
-- action | CalcVuoti: delete the positive deposit-article lines (joined DELETE)
Delete DdtDett.* from DdtDett inner join Articoli On DdtDett.Articolo = Articoli.Articolo where DdtDett.Anno = 2026 AND DdtDett.NumRif = 123 AND DdtDett.TipoRiga = 'A' AND DdtDett.Qta > 0 AND Articoli.Cauzione = 'S'
;;
-- select-ro | CalcVuoti: article lines that need packaging (two blanks before from, as concatenated)
Select DdtDett.*, Articoli.PezziPerConf, Articoli.ArtImballo  from DdtDett inner join Articoli On DdtDett.Articolo = Articoli.Articolo where DdtDett.Anno = 2026 AND DdtDett.NumRif = 123 AND DdtDett.TipoRiga = 'A' AND not isnull(Articoli.ArtImballo)
;;
-- select-upd | RenumRigheDet: committed lines in order, RigDet rewritten 1..n
Select DdtDett.* from DdtDett Where DdtDett.Anno = 2026 AND DdtDett.NumRif = 123 Order by Anno, Numrif, RigDet
;;
-- select-ro | CreoArtVuoto: the packaging article
Select * from Articoli Where Articolo = 'CASSA01'
;;
-- select-ro | CreoArtVuoto: VAT rate of the article's sales VAT code
Select * from TabIva Where Iva = '22'
;;
-- select-ro | CreoArtVuoto: cost centre of the revenue account
Select * from PianoConti Where Gruppo = '04' And Mastro = '01' And Conto = '000001'
;;
-- action | CreoArtVuoto: insert the deposit line (blank after "Values (")
Insert into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, UM, Qta, FatCon, ValUnitario, FlScontoPag, ValTotale, ValLire, ValEuro, Iva, Omaggio, DoveStampoDesLung, Promozione, GruppoVen, MastroVen, ContoVen, CentroDiCosto, PercProvv1, PercProvv2, NotaSopraStamp, NotaSottoStamp, SoggRitAcc) Values ( 2026, 123, 8, 15, 'A', 'CASSA01', 'PZ', 12, 1, 2.5, 'N', 30, 58088.1, 30, '22', 'N', '0', 'N', '04', '01', '000001', 'CDC01', 0, 0, 'N', 'N', 'S')
;;
-- action | CreoArtVuoto: insert the deposit line, no cost centre (", Null"), negative quantity
Insert into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, UM, Qta, FatCon, ValUnitario, FlScontoPag, ValTotale, ValLire, ValEuro, Iva, Omaggio, DoveStampoDesLung, Promozione, GruppoVen, MastroVen, ContoVen, CentroDiCosto, PercProvv1, PercProvv2, NotaSopraStamp, NotaSottoStamp, SoggRitAcc) Values ( 2026, 123, 9, 16, 'A', 'PALLET', 'NR', -2, 1, 0, 'N', 0, 0, 0, '22', 'N', '0', 'N', '04', '01', '000001', Null, 0, 0, 'N', 'N', 'S')
;;
-- select-ro | mainDdt.VerifCaricoPartita: a load of this batch (DescPers1) and lot (DescPers3) in the warehouse year, cause CarScar C/N with Segno '+' (described; join columns guessed)
Select top 1 MovMagTes.Anno, MovMagTes.NumReg from (MovMagTes INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale) INNER JOIN MovMagDett ON (MovMagTes.Anno = MovMagDett.Anno) AND (MovMagTes.NumReg = MovMagDett.NumReg) Where MovMagTes.Anno = 2026 AND MovMagDett.Articolo = 'ART001' AND MovMagDett.DescPers1 = 'P2026/01' AND MovMagDett.DescPers3 = 'L07' AND (MagCausali.CarScar = 'C' OR MagCausali.CarScar = 'N') AND MagCausali.Segno = '+'
;;
-- select-ro | UtilLotto.AggStatoLottiRighe: lots named by the working lot rows of one line (mode "da"), before their state is re-evaluated (described)
Select Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, NrProgLotto from DdtRintracciaApp Where Anno = 2026 AND NumReg = 123 AND RigLiv = 7
;;
-- action | frmDDTDett.CancRigaRAEE: delete the eco-fee line linked to the article line
Delete from DdtDettApp where Anno = 2026 AND NumRif = 123 AND RigLiv = 13 AND Articolo = 'RAEE01'
;;
-- action | frmDDTDett.AggRigaRAEE: eco-fee line follows quantity and amount of its article line (described)
Update DdtDettApp Set Qta = 3, ValTotale = 4.5, ValLire = 8713.22, ValEuro = 4.5 where Anno = 2026 AND NumRif = 123 AND RigLiv = 13
;;
-- action | frmDDTDett.DopoInsVarRigaRAEE: link the article line to its new eco-fee line
Update DdtDettApp Set RigLivRAEE = 13 where anno = 2026 AND NumRif = 123 AND RigDet = 4
;;
-- action | UtilDocFattGest.SvuotaApp: working level rows of the document (PrepDocApp step 3, unload step 10)
Delete from DdtLivApp Where Anno = 2026 AND NumRif = 123
;;
-- action | UtilDocFattGest.SvuotaApp: working lines of the document
Delete from DdtDettApp Where Anno = 2026 AND NumRif = 123
;;
-- action | UtilDocFattGest.SvuotaApp: working serial numbers of the document
Delete from DdtMatrApp Where Anno = 2026 AND NumRif = 123
;;
-- action | UtilDocFattGest.SvuotaApp: working lot rows of the document (number column NumReg)
Delete from DdtRintracciaApp Where Anno = 2026 AND NumReg = 123
;;
-- action | before-hook 19 -> SvuotaApp with a line: level rows of one line (also hook 13 on a changed article, line 1252)
Delete from DdtLivApp Where Anno = 2026 AND NumRif = 123 AND RigLiv = 7
;;
-- action | before-hook 19 -> SvuotaApp with a line: serial numbers of one line
Delete from DdtMatrApp Where Anno = 2026 AND NumRif = 123 AND RigLiv = 7
;;
-- action | before-hook 19 -> SvuotaApp with a line: lot rows of one line
Delete from DdtRintracciaApp Where Anno = 2026 AND NumReg = 123 AND RigLiv = 7
;;
-- action | UtilDocFattGest.SalvaDocApp step 3: committed lines go (SvuotaApp, name check off; DdtLiv likewise)
Delete from DdtDett Where Anno = 2026 AND NumRif = 123
;;
-- action | UtilDocFattGest.SalvaDocApp step 4: committed serial numbers (lower-case anno, "And")
Delete from DdtMatr Where anno = 2026 And NumRif = 123
;;
-- action | UtilDocFattGest.SalvaDocApp step 4: committed lot rows; CancRigheTab (line 675) writes the same shape
Delete from DdtRintraccia Where anno = 2026 And NumReg = 123
;;
-- action | UtilDocFattGest.CancRigheTab from CancDoc: expense rows of a deleted DDT (also DdtDett, DdtLiv, DdtMatr, DdtRintraccia/NumReg)
Delete from DdtSpese Where anno = 2026 And NumRif = 123
;;
-- select-ro | UtilDocFattGest.CopiaRighe: source rows (PrepDocApp: DdtDett -> DdtDettApp; SalvaDocApp the reverse; DuplRigheDett with override pairs)
Select * from DdtDett Where Anno = 2026 AND NumRif = 123
;;
-- select-upd | UtilDocFattGest.CopiaRighe: destination rows of the same document, deleted one by one then new rows copied in
Select * from DdtDettApp Where Anno = 2026 AND NumRif = 123
;;
-- select-ro | UtilDocFattGest.CopiaRighe with pbNumRif False: source lot rows (number column NumReg)
Select * from DdtRintraccia Where Anno = 2026 AND NumReg = 123
;;
-- select-upd | UtilDocFattGest.CopiaRighe with pbNumRif False: destination lot rows
Select * from DdtRintracciaApp Where Anno = 2026 AND NumReg = 123
;;
-- select-ro | UtilDocFattGest.DuplRighe: expense rows of the source DDT
Select * from DdtSpese Where Anno = 2025 AND NumRif = 45
;;
-- select-upd | UtilDocFattGest.DuplRighe: expense rows under the new key, copies added (Anno/NumRif rewritten)
Select * from DdtSpese Where Anno = 2026 AND NumRif = 124
;;
-- select-ro | RicUltNum: highest display number of the working lines (append)
Select top 1 * from DdtDettApp where anno = 2026 AND NumRif = 123 order by RigDet DESC
;;
-- action | SpostaRighe first update: lines from the insert position into the 10000 band
Update DdtDettApp Set RigDet = RigDet + 10000 where Anno = 2026 AND NumRif = 123 AND RigDet >= 3
;;
-- action | SpostaRighe second update, insertion (+1)
Update DdtDettApp Set RigDet = RigDet - 10000 + 1 Where Anno = 2026 AND NumRif = 123 AND RigDet >= 10000
;;
-- action | SpostaRighe second update, deletion of one line (-1, after-hook 17)
Update DdtDettApp Set RigDet = RigDet - 10000 - 1 Where Anno = 2026 AND NumRif = 123 AND RigDet >= 10000
;;
-- action | IncollaDett -> SpostaRighe(P, 0, 20000, 0): unflagged lines at/below the paste position into the 20000 band (fullest SpostaRighe variant)
Update DdtDettApp Set RigDet = RigDet + 20000 where Anno = 2026 AND NumRif = 123 AND RigDet >= 7 AND CopiaTaglia = 0
;;
-- select-upd | PrepSql: grid query of the working lines, plain variant (no personalised list, not margin scheme; two blanks after Select; nested RIGHT/INNER join; iif and & computed columns)
Select  DdtDettApp.Anno, DdtDettApp.NumRif, DdtDettApp.RigDet, DdtDettApp.RigLiv, DdtDettApp.TipoRiga, DdtDettApp.Articolo, DdtDettApp.Comando, iif(DdtDettApp.TipoRiga = 'D',DdtDettApp.NotaSopra, iif(DdtDettApp.TipoRiga = 'C',DdtDettApp.Comando & ' ' & DdtDettApp.NotaSopra, iif(not isnull(DdtDettApp.Descrizione),DdtDettApp.Descrizione, Articoli.Descrizione))) as _Descrizione, DdtDettApp.Descrizione, DdtDettApp.UM, DdtDettApp.Qta, DdtDettApp.ValUnitario, DdtDettApp.ValTotale, DdtDettApp.ScontoTot, DdtDettApp.Iva, (DdtDettApp.GruppoVen & '-' & DdtDettApp.MastroVen & '-' & DdtDettApp.ContoVen) as ContoRicavo, DdtDettApp.GruppoVen, DdtDettApp.MastroVen, DdtDettApp.ContoVen, DdtDettApp.CentroDiCosto, DdtDettApp.ScontoCli, DdtDettApp.ScontoArt, DdtDettApp.ScontoTab, DdtDettApp.ScontoQuant, DdtDettApp.FlScontoPag, DdtDettApp.Promozione, DdtDettApp.FatCon, DdtDettApp.Colli, DdtDettApp.Omaggio, DdtDettApp.PercProvv1, DdtDettApp.PercProvv2, iif('Euro' = 'L.', DdtDettApp.ValLire, DdtDettApp.ValEuro) as Val_Mon_Corr, DdtDettApp.DoveStampoDesLung, DdtDettApp.NotaSopraStamp, DdtDettApp.NotaSopra, DdtDettApp.NotaSottoStamp, DdtDettApp.NotaSotto, DdtDettApp.FattDocumentoProv, DdtDettApp.AnnoRifProv, DdtDettApp.NumRifProv, DdtDettApp.RigaRifProv, DdtDettApp.QtaProv, DdtDettApp.Lunghezza, DdtDettApp.Larghezza, DdtDettApp.Altezza, DdtDettApp.ValLire, DdtDettApp.ValEuro, DdtDettApp.DescPers1, DdtDettApp.DescPers2, DdtDettApp.DescPers3, DdtDettApp.DescPers4, DdtDettApp.CopiaTaglia, DdtDettApp.TipoProv, DdtDettApp.CompGiornMens, DdtDettApp.DataCompDa, DdtDettApp.DataCompA, DdtDettApp.SoggRitAcc, DdtDettApp.RigLivRAEE, DdtDettApp.Contratto FROM (Articoli RIGHT JOIN DdtDettApp ON Articoli.Articolo = DdtDettApp.Articolo) INNER JOIN DdtTest ON (DdtDettApp.Anno = DdtTest.Anno) AND (DdtDettApp.NumRif = DdtTest.NumRif) where DdtDettApp.Anno = 2026 AND DdtDettApp.NumRif = 123 Order BY DdtDettApp.RigDet
;;
-- select-upd | PrepSql: fullest variant, osDettOrdCol "DdtDett.Articolo§1500,_Descrizione§4000,Qta^Quantita,Articoli.ArtUMVen^UMVen" (personalised entries first, aliases) and osRegimeMargine "S" (BeneUsato)
Select  DdtDettApp.Articolo, iif(DdtDettApp.TipoRiga = 'D',DdtDettApp.NotaSopra, iif(DdtDettApp.TipoRiga = 'C',DdtDettApp.Comando & ' ' & DdtDettApp.NotaSopra, iif(not isnull(DdtDettApp.Descrizione),DdtDettApp.Descrizione, Articoli.Descrizione))) as _Descrizione, DdtDettApp.Qta as Quantita, Articoli.ArtUMVen as UMVen, DdtDettApp.Anno, DdtDettApp.NumRif, DdtDettApp.RigDet, DdtDettApp.RigLiv, DdtDettApp.TipoRiga, DdtDettApp.Comando, DdtDettApp.Descrizione, DdtDettApp.UM, DdtDettApp.ValUnitario, DdtDettApp.ValTotale, DdtDettApp.BeneUsato, DdtDettApp.ScontoTot, DdtDettApp.Iva, (DdtDettApp.GruppoVen & '-' & DdtDettApp.MastroVen & '-' & DdtDettApp.ContoVen) as ContoRicavo, DdtDettApp.GruppoVen, DdtDettApp.MastroVen, DdtDettApp.ContoVen, DdtDettApp.CentroDiCosto, DdtDettApp.ScontoCli, DdtDettApp.ScontoArt, DdtDettApp.ScontoTab, DdtDettApp.ScontoQuant, DdtDettApp.FlScontoPag, DdtDettApp.Promozione, DdtDettApp.FatCon, DdtDettApp.Colli, DdtDettApp.Omaggio, DdtDettApp.PercProvv1, DdtDettApp.PercProvv2, iif('Euro' = 'L.', DdtDettApp.ValLire, DdtDettApp.ValEuro) as Val_Mon_Corr, DdtDettApp.DoveStampoDesLung, DdtDettApp.NotaSopraStamp, DdtDettApp.NotaSopra, DdtDettApp.NotaSottoStamp, DdtDettApp.NotaSotto, DdtDettApp.FattDocumentoProv, DdtDettApp.AnnoRifProv, DdtDettApp.NumRifProv, DdtDettApp.RigaRifProv, DdtDettApp.QtaProv, DdtDettApp.Lunghezza, DdtDettApp.Larghezza, DdtDettApp.Altezza, DdtDettApp.ValLire, DdtDettApp.ValEuro, DdtDettApp.DescPers1, DdtDettApp.DescPers2, DdtDettApp.DescPers3, DdtDettApp.DescPers4, DdtDettApp.CopiaTaglia, DdtDettApp.TipoProv, DdtDettApp.CompGiornMens, DdtDettApp.DataCompDa, DdtDettApp.DataCompA, DdtDettApp.SoggRitAcc, DdtDettApp.RigLivRAEE, DdtDettApp.Contratto FROM (Articoli RIGHT JOIN DdtDettApp ON Articoli.Articolo = DdtDettApp.Articolo) INNER JOIN DdtTest ON (DdtDettApp.Anno = DdtTest.Anno) AND (DdtDettApp.NumRif = DdtTest.NumRif) where DdtDettApp.Anno = 2026 AND DdtDettApp.NumRif = 123 Order BY DdtDettApp.RigDet
;;
-- action | AzzeraCopiaTaglia: clear all cut/copy flags of the DDT
Update DdtDettApp Set CopiaTaglia = 0 where anno = 2026 AND NumRif = 123
;;
-- action | IncollaDaTaglia: cut lines into the 10000 band (CopiaTaglia = miCopiaTaglia 2)
Update DdtDettApp Set RigDet = RigDet + 10000 where Anno = 2026 AND NumRif = 123 AND CopiaTaglia = 2
;;
-- select-upd | IncollaDaCopia: empty target on the line table (new rows added through it)
Select * From DdtDettApp Where Anno = -1
;;
-- select-upd | IncollaDaCopia: source lines flagged for copy (CopiaTaglia rewritten to 100000 + new RigLiv)
Select * From DdtDettApp where Anno = 2026 AND NumRif = 123 AND CopiaTaglia = 1
;;
-- select-upd | IncollaDaCopia: empty target on the level table
Select * From DdtLivApp Where Anno = -1
;;
-- select-upd | IncollaDaCopia: level rows of the marked source lines (comma join with WHERE conditions, unqualified CopiaTaglia; opened as dynaset)
Select DdtLivApp.*, DdtDettApp.CopiaTaglia From DdtLivApp, DdtDettApp Where DdtLivApp.Anno = 2026 AND DdtLivApp.NumRif = 123 AND CopiaTaglia > 100000 AND DdtLivApp.Anno = DdtDettApp.Anno AND DdtLivApp.NumRif = DdtDettApp.NumRif AND DdtLivApp.RigLiv = DdtDettApp.RigLiv
;;
-- select-ro | FlaggatiPrimaDiPunt: cut lines above the paste position
Select count(*) as NumeroRec From DdtDettApp where Anno = 2026 AND NumRif = 123 AND CopiaTaglia = 2 AND RigDet < 7
;;
-- select-ro | CalcTotDocum: highest stable line key of the working lines (seeds mlMaxRigLiv)
Select max(RigLiv) as MaxRigLiv from DdtDettApp where anno = 2026 AND NumRif = 123
;;
-- select-ro | CalcTotDocum: goods total and quantity of non-free article/manual lines
Select Sum(ValTotale) as TotDocum, Sum(Qta) as TotQta from DdtDettApp where anno = 2026 AND NumRif = 123 AND Omaggio = 'N' AND (TipoRiga = 'A' OR TipoRiga = 'M')
;;
-- select-ro | article decode through look-up library with NoDecInattivi filter (natural; only the filter text " (ucase(Inattivo)<>'S') " is given)
Select * from Articoli Where Articolo = 'ART001' And  (ucase(Inattivo)<>'S')
;;
-- select-ro | CalcProvvRidotta: commission reduction row of ScontiProvv
Select Top 1 * from ScontiProvv Where APartireDa <= 14.5 Order by APartireDa Desc
;;
-- select-ro | CalcGiacenza: stock sums, fullest (warehouse + level pair; used by MostraDispGiac 7.111 line 1580-1585)
Select sum(QtaIniziale) As SumQtaIniziale, sum(QtaCarico) As SumQtaCarico, sum(QtaSCarico) As SumQtaSCarico, sum(QtaOrdFor) As SumQtaOrdFor, sum(QtaImpCli) As SumQtaImpCli from ArticoliProg Where Anno = 2026 and Articolo = 'ART001' and Magazzino = 'MAG1' and Livello1 = 'ROSSO' and Livello2 = 'XL'
;;
-- select-ro | CalcGiacenza: stock sums, plain (all warehouses, all level rows)
Select sum(QtaIniziale) As SumQtaIniziale, sum(QtaCarico) As SumQtaCarico, sum(QtaSCarico) As SumQtaSCarico, sum(QtaOrdFor) As SumQtaOrdFor, sum(QtaImpCli) As SumQtaImpCli from ArticoliProg Where Anno = 2026 and Articolo = 'ART001'
;;
-- select-ro | ScadUtil.CalcScadenze: payment terms (same text as :898)
Select * From Pagamenti Where Pagamenti.Pagamento = 'RB30'
;;
-- select-ro | UtilLotto.CercaLottoRiga on DdtRintracciaApp (called from field 20 exit, line 400), with RigLiv condition
Select GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, NrProgLotto from DdtRintracciaApp Where Anno = 2026 And NumReg = 15 And RigLiv = 3
;;
-- select-ro | MostraArticolo: long description in the document language
Select deslunga from ArtLingue Where Articolo = 'ART001' And Lingua = 'EN'
;;
-- select-ro | VerificaPromozione: promotional list price in date
Select top 1 * from ArtLisPromozioni Where Articolo = 'ART001' AND Listino = 'LIS01' AND DataInizioProm <= #2026-12-10# AND DataFineProm >= #2026-12-10# ORDER BY DataInizioProm Desc
;;
-- select-ro | ChiediNotaLingua: language notes of the article for frmNotaLingua grid
SELECT Lingue.Descrizione as Tipo, ArtLingue.DesLunga FROM ArtLingue INNER JOIN Lingue ON ArtLingue.Lingua = Lingue.Lingua WHERE ArtLingue.Articolo = 'L''ORO-01'
;;
-- select-ro | footer engine header query (PrepSqlTesta), DdtTest with optional ScoPagSuDett
SELECT DdtTest.Acconto, DdtTest.ScoPagSuDett, DdtTest.DataRif, DdtTest.GruppoCli, DdtTest.MastroCli, DdtTest.ContoCli, DdtTest.PercRitAcc, DdtTest.Peso, DdtTest.Moneta, DdtTest.Pagamento, DdtTest.PrezziIvati, DdtTest.ScontoPag, FattDocumenti.RegimeMargine, FattDocumenti.Segno, FattDocumenti.FattDocumento, Monete.NumDec, PagTipi.TipoEffetto, PagTipi.AddBolli, Pagamenti.NumScad, TabIva.TipoIva, Stati.Cee,Stati.Iso FROM ((((((DdtTest  LEFT JOIN Monete ON DdtTest.Moneta = Monete.Moneta) LEFT JOIN FattDocumenti ON DdtTest.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Pagamenti ON DdtTest.Pagamento = Pagamenti.Pagamento) LEFT JOIN PagTipi ON Pagamenti.PagTipo = PagTipi.PagTipo) LEFT JOIN TabIva ON DdtTest.Iva = TabIva.Iva) LEFT JOIN PianoConti ON DdtTest.GruppoCli = PianoConti.Gruppo AND DdtTest.MastroCli = PianoConti.Mastro AND DdtTest.ContoCli = PianoConti.Conto) LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato Where DdtTest.NumRif = 15 And DdtTest.Anno = 2026
;;
-- select-ro | footer engine header query, FatTest variant (Abbuono, Bolli, Peso; run by declaration-of-intent amounts)
SELECT FatTest.Acconto, FatTest.ScoPagSuDett, FatTest.Abbuono, FatTest.Bolli, FatTest.DataRif, FatTest.GruppoCli, FatTest.MastroCli, FatTest.ContoCli, FatTest.PercRitAcc, FatTest.Peso, FatTest.Moneta, FatTest.Pagamento, FatTest.PrezziIvati, FatTest.ScontoPag, FattDocumenti.RegimeMargine, FattDocumenti.Segno, FattDocumenti.FattDocumento, Monete.NumDec, PagTipi.TipoEffetto, PagTipi.AddBolli, Pagamenti.NumScad, TabIva.TipoIva, Stati.Cee,Stati.Iso FROM ((((((FatTest  LEFT JOIN Monete ON FatTest.Moneta = Monete.Moneta) LEFT JOIN FattDocumenti ON FatTest.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Pagamenti ON FatTest.Pagamento = Pagamenti.Pagamento) LEFT JOIN PagTipi ON Pagamenti.PagTipo = PagTipi.PagTipo) LEFT JOIN TabIva ON FatTest.Iva = TabIva.Iva) LEFT JOIN PianoConti ON FatTest.GruppoCli = PianoConti.Gruppo AND FatTest.MastroCli = PianoConti.Mastro AND FatTest.ContoCli = PianoConti.Conto) LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato Where FatTest.NumRif = 87 And FatTest.Anno = 2026
;;
-- select-ro | footer engine header query, plain variant: OrdVenTest without ScoPagSuDett column and without Peso
SELECT OrdVenTest.Acconto, OrdVenTest.DataRif, OrdVenTest.GruppoCli, OrdVenTest.MastroCli, OrdVenTest.ContoCli, OrdVenTest.PercRitAcc, OrdVenTest.Moneta, OrdVenTest.Pagamento, OrdVenTest.PrezziIvati, OrdVenTest.ScontoPag, FattDocumenti.RegimeMargine, FattDocumenti.Segno, FattDocumenti.FattDocumento, Monete.NumDec, PagTipi.TipoEffetto, PagTipi.AddBolli, Pagamenti.NumScad, TabIva.TipoIva, Stati.Cee,Stati.Iso FROM ((((((OrdVenTest  LEFT JOIN Monete ON OrdVenTest.Moneta = Monete.Moneta) LEFT JOIN FattDocumenti ON OrdVenTest.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Pagamenti ON OrdVenTest.Pagamento = Pagamenti.Pagamento) LEFT JOIN PagTipi ON Pagamenti.PagTipo = PagTipi.PagTipo) LEFT JOIN TabIva ON OrdVenTest.Iva = TabIva.Iva) LEFT JOIN PianoConti ON OrdVenTest.GruppoCli = PianoConti.Gruppo AND OrdVenTest.MastroCli = PianoConti.Mastro AND OrdVenTest.ContoCli = PianoConti.Conto) LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato Where OrdVenTest.NumRif = 40 And OrdVenTest.Anno = 2026
;;
-- select-ro | footer engine header query, purchase side osTipoGest "A" on OrdAcqTes (supplier columns; engine supports it, no caller in this program sets "A")
SELECT OrdAcqTes.Acconto, OrdAcqTes.DataRif, OrdAcqTes.GruppoFor, OrdAcqTes.MastroFor, OrdAcqTes.ContoFor, OrdAcqTes.Moneta, OrdAcqTes.Pagamento, OrdAcqTes.PrezziIvati, OrdAcqTes.ScontoPag, FattDocumenti.RegimeMargine, FattDocumenti.Segno, FattDocumenti.FattDocumento, Monete.NumDec, PagTipi.TipoEffetto, PagTipi.AddBolli, Pagamenti.NumScad, TabIva.TipoIva, Stati.Cee,Stati.Iso FROM ((((((OrdAcqTes  LEFT JOIN Monete ON OrdAcqTes.Moneta = Monete.Moneta) LEFT JOIN FattDocumenti ON OrdAcqTes.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Pagamenti ON OrdAcqTes.Pagamento = Pagamenti.Pagamento) LEFT JOIN PagTipi ON Pagamenti.PagTipo = PagTipi.PagTipo) LEFT JOIN TabIva ON OrdAcqTes.Iva = TabIva.Iva) LEFT JOIN PianoConti ON OrdAcqTes.GruppoFor = PianoConti.Gruppo AND OrdAcqTes.MastroFor = PianoConti.Mastro AND OrdAcqTes.ContoFor = PianoConti.Conto) LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato Where OrdAcqTes.NumRif = 9 And OrdAcqTes.Anno = 2026
;;
-- select-ro | footer engine line query (PrepSqlDett), level rows joined + deposits flag (fullest)
SELECT DdtDett.* ,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen AS Conto,DdtLiv.* ,TabIva.*,Articoli.Cauzione as ArtCauzione FROM ((DdtDett   LEFT JOIN TabIva ON DdtDett.Iva = TabIva.Iva) LEFT JOIN DdtLiv ON DdtDett.RigLiv = DdtLiv.RigLiv AND DdtDett.NumRif = DdtLiv.NumRif AND DdtDett.Anno = DdtLiv.Anno) LEFT JOIN Articoli ON DdtDett.Articolo = Articoli.Articolo Where DdtDett.NumRif = 15 And DdtDett.Anno = 2026 and (DdtDett.TipoRiga = 'M' or DdtDett.TipoRiga = 'A') order by DdtDett.Iva,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen,DdtDett.RigDet
;;
-- select-ro | footer engine line query, level rows joined, no deposits flag (constant 'N' column)
SELECT DdtDett.* ,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen AS Conto,DdtLiv.* ,TabIva.*,'N' as ArtCauzione FROM (DdtDett   LEFT JOIN TabIva ON DdtDett.Iva = TabIva.Iva) LEFT JOIN DdtLiv ON DdtDett.RigLiv = DdtLiv.RigLiv AND DdtDett.NumRif = DdtLiv.NumRif AND DdtDett.Anno = DdtLiv.Anno Where DdtDett.NumRif = 15 And DdtDett.Anno = 2026 and (DdtDett.TipoRiga = 'M' or DdtDett.TipoRiga = 'A') order by DdtDett.Iva,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen,DdtDett.RigDet
;;
-- select-ro | footer engine line query, lines alone + deposits flag
SELECT DdtDett.*,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen AS Conto,TabIva.*,Articoli.Cauzione as ArtCauzione FROM (DdtDett LEFT JOIN TabIva ON DdtDett.Iva = TabIva.Iva) LEFT JOIN Articoli ON DdtDett.Articolo = Articoli.Articolo Where DdtDett.NumRif = 15 And DdtDett.Anno = 2026 order by DdtDett.Iva,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen,DdtDett.RigDet
;;
-- select-ro | footer engine line query, plain (lines alone, no deposits flag)
SELECT DdtDett.*,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen AS Conto,TabIva.*,'N' as ArtCauzione FROM DdtDett LEFT JOIN TabIva ON DdtDett.Iva = TabIva.Iva Where DdtDett.NumRif = 15 And DdtDett.Anno = 2026 order by DdtDett.Iva,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen,DdtDett.RigDet
;;
-- select-ro | footer engine expense query (PrepSqlSpese, also line 206; re-run by the pension-fund pass 8.106)
SELECT DdtSpese.*,TabIva.*,Spese.* FROM (DdtSpese LEFT JOIN TabIva ON DdtSpese.Iva = TabIva.Iva) LEFT JOIN Spese ON DdtSpese.Spesa = Spese.Spesa Where DdtSpese.Anno = 2026 And DdtSpese.NumRif = 15 Order BY DdtSpese.Iva ,spese.gruppo & spese.Mastro & spese.conto
;;
-- select-ro | stamp-duty parameters from TaBolli joined with the stamp VAT code
Select TaBolli.* , Tabiva.* FROM TaBolli left join Tabiva on TaBolli.CodEseBollo = TabIva.Iva
;;
-- action | utilprg.TransInizio pass-through on a database server (errors ignored)
SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED
;;
-- action | utilprg.TransConferma / TransAnnulla pass-through on a database server (errors ignored)
SET TRANSACTION ISOLATION LEVEL READ COMMITTED
;;
-- select-ro | AziendaUtil.LeggiMoneta: currency row (operator for the movement reversal, 10.105)
Select * from Monete where moneta = 'Euro'
;;
-- select-ro | footer engine header query PrepSqlTesta, DdtTest with ScoPagSuDett (same text as :1915)
SELECT DdtTest.Acconto, DdtTest.ScoPagSuDett, DdtTest.DataRif, DdtTest.GruppoCli, DdtTest.MastroCli, DdtTest.ContoCli, DdtTest.PercRitAcc, DdtTest.Peso, DdtTest.Moneta, DdtTest.Pagamento, DdtTest.PrezziIvati, DdtTest.ScontoPag, FattDocumenti.RegimeMargine, FattDocumenti.Segno, FattDocumenti.FattDocumento, Monete.NumDec, PagTipi.TipoEffetto, PagTipi.AddBolli, Pagamenti.NumScad, TabIva.TipoIva, Stati.Cee,Stati.Iso FROM ((((((DdtTest  LEFT JOIN Monete ON DdtTest.Moneta = Monete.Moneta) LEFT JOIN FattDocumenti ON DdtTest.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Pagamenti ON DdtTest.Pagamento = Pagamenti.Pagamento) LEFT JOIN PagTipi ON Pagamenti.PagTipo = PagTipi.PagTipo) LEFT JOIN TabIva ON DdtTest.Iva = TabIva.Iva) LEFT JOIN PianoConti ON DdtTest.GruppoCli = PianoConti.Gruppo AND DdtTest.MastroCli = PianoConti.Mastro AND DdtTest.ContoCli = PianoConti.Conto) LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato Where DdtTest.NumRif = 15 And DdtTest.Anno = 2026
;;
-- select-ro | footer engine header query, FatTest variant with Abbuono, Bolli, Peso (declaration-of-intent "M" amounts, 8.209)
SELECT FatTest.Acconto, FatTest.ScoPagSuDett, FatTest.Abbuono, FatTest.Bolli, FatTest.DataRif, FatTest.GruppoCli, FatTest.MastroCli, FatTest.ContoCli, FatTest.PercRitAcc, FatTest.Peso, FatTest.Moneta, FatTest.Pagamento, FatTest.PrezziIvati, FatTest.ScontoPag, FattDocumenti.RegimeMargine, FattDocumenti.Segno, FattDocumenti.FattDocumento, Monete.NumDec, PagTipi.TipoEffetto, PagTipi.AddBolli, Pagamenti.NumScad, TabIva.TipoIva, Stati.Cee,Stati.Iso FROM ((((((FatTest  LEFT JOIN Monete ON FatTest.Moneta = Monete.Moneta) LEFT JOIN FattDocumenti ON FatTest.FattDocumento = FattDocumenti.FattDocumento) LEFT JOIN Pagamenti ON FatTest.Pagamento = Pagamenti.Pagamento) LEFT JOIN PagTipi ON Pagamenti.PagTipo = PagTipi.PagTipo) LEFT JOIN TabIva ON FatTest.Iva = TabIva.Iva) LEFT JOIN PianoConti ON FatTest.GruppoCli = PianoConti.Gruppo AND FatTest.MastroCli = PianoConti.Mastro AND FatTest.ContoCli = PianoConti.Conto) LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato Where FatTest.NumRif = 87 And FatTest.Anno = 2026
;;
-- select-ro | footer engine line query PrepSqlDett, level form + GestVuotiCauz (fullest; same as :2038)
SELECT DdtDett.* ,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen AS Conto,DdtLiv.* ,TabIva.*,Articoli.Cauzione as ArtCauzione FROM ((DdtDett   LEFT JOIN TabIva ON DdtDett.Iva = TabIva.Iva) LEFT JOIN DdtLiv ON DdtDett.RigLiv = DdtLiv.RigLiv AND DdtDett.NumRif = DdtLiv.NumRif AND DdtDett.Anno = DdtLiv.Anno) LEFT JOIN Articoli ON DdtDett.Articolo = Articoli.Articolo Where DdtDett.NumRif = 15 And DdtDett.Anno = 2026 and (DdtDett.TipoRiga = 'M' or DdtDett.TipoRiga = 'A') order by DdtDett.Iva,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen,DdtDett.RigDet
;;
-- select-ro | footer engine line query, plain form without GestVuotiCauz (same as :2043)
SELECT DdtDett.*,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen AS Conto,TabIva.*,'N' as ArtCauzione FROM DdtDett LEFT JOIN TabIva ON DdtDett.Iva = TabIva.Iva Where DdtDett.NumRif = 15 And DdtDett.Anno = 2026 order by DdtDett.Iva,DdtDett.gruppoven & DdtDett.MastroVen & DdtDett.contoVen,DdtDett.RigDet
;;
-- select-ro | footer engine expense query PrepSqlSpese (same as :2135)
SELECT DdtSpese.*,TabIva.*,Spese.* FROM (DdtSpese LEFT JOIN TabIva ON DdtSpese.Iva = TabIva.Iva) LEFT JOIN Spese ON DdtSpese.Spesa = Spese.Spesa Where DdtSpese.Anno = 2026 And DdtSpese.NumRif = 15 Order BY DdtSpese.Iva ,spese.gruppo & spese.Mastro & spese.conto
;;
-- select-ro | ScadUtil.CalcScadenze: payment terms
Select * From Pagamenti Where Pagamenti.Pagamento = 'RB30'
;;
-- select-ro | ScadUtil.CalcScadenze: customer row (months without due dates)
Select * From PianoConti Where PianoConti.Gruppo = '01' And PianoConti.Mastro = '05' And PianoConti.Conto = '000123'
;;
-- select-ro | TestoDichIntenti: existence test of declarations (code 0 = no code condition)
Select * from PdcDicIntenti Where Gruppo = '01' And Mastro = '05' And Conto = '000123'
;;
-- select-ro | TestoDichIntenti: active declarations of the customer (code 0)
Select * from PdcDicIntenti Where Gruppo = '01' And Mastro = '05' And Conto = '000123' And Attivo = 'S' order by PdcDicIntenti
;;
-- select-ro | TestoDichIntenti: one declaration by code (any activity)
Select * from PdcDicIntenti Where Gruppo = '01' And Mastro = '05' And Conto = '000123' And PdcDicIntenti = 2 order by PdcDicIntenti
;;
-- select-ro | TestoDichIntenti: single-declaration model on PianoConti
Select PianoConti.DicIntenti, PianoConti.NrPrgIntenti,PianoConti.DataRicComIntenti,PianoConti.NrDichIntenti,PianoConti.DataDichIntenti,PianoConti.ImportoDichIntenti from PianoConti Where Gruppo = '01' And Mastro = '05' And Conto = '000123'
;;
-- select-ro | PrepSqlTotaliDich kind "F" (signed sums via iif), total kind "M" (ScontoPag condition)
Select sum(TotDocum * iif(FattDocumenti.segno = '-',-1,1)) as Totale, sum(TotMerce * iif(FattDocumenti.segno = '-',-1,1)) as MerceTot, sum(TotIva * iif(FattDocumenti.segno = '-',-1,1)) as IvaTot, sum(TotImpon * iif(FattDocumenti.segno = '-',-1,1)) as ImponTot From FatTest Left Join FattDocumenti on FatTest.FattDocumento = FattDocumenti.FattDocumento Where FatTest.GruppoCli = '01' And FatTest.MastroCli = '05' And FatTest.ContoCli = '000123' And FatTest.PdcDicIntenti = 2 And (isnull(FatTest.ScontoPag) or FatTest.ScontoPag = '0')
;;
-- select-ro | PrepSqlTotaliDich kind "D" (DDTs) with total kind "M" and the DDT state condition (line 1134)
Select sum(TotDocum) as Totale, sum(TotMerce) as MerceTot, sum(TotIva) as IvaTot, sum(TotImpon) as ImponTot From DdtTest Where DdtTest.GruppoCli = '01' And DdtTest.MastroCli = '05' And DdtTest.ContoCli = '000123' And DdtTest.PdcDicIntenti = 2 And (isnull(DdtTest.ScontoPag) or DdtTest.ScontoPag = '0') And (Stato = 'S' Or Stato Is Null)
;;
-- select-ro | PrepSqlTotaliDich kind "O" (orders), total kind "D"/"E" (no ScontoPag condition)
Select sum(TotDocum) as Totale, sum(TotMerce) as MerceTot, sum(TotIva) as IvaTot, sum(TotImpon) as ImponTot From OrdVenTest Where OrdVenTest.GruppoCli = '01' And OrdVenTest.MastroCli = '05' And OrdVenTest.ContoCli = '000123' And OrdVenTest.PdcDicIntenti = 2 And Stato Is Null
;;
-- select-ro | PrepSqlDocScontoPag: documents with a payment discount (then CalcPiedeFat per row)
Select Anno,NumRif From DdtTest Where GruppoCli = '01' And MastroCli = '05' And ContoCli = '000123' And PdcDicIntenti = 2 And not isnull(ScontoPag) And ScontoPag <> '0'
;;
-- select-upd | frmSpeseDoc grid query (TabellaStd): bound to the data-bound grid, rows inserted/edited/deleted through it (key Anno,NumRif,Riga)
SELECT Anno,NumRif,Riga, DdtSpese.Spesa, Spese.Descrizione, Spese.TipoAddebito, DdtSpese.Iva, DdtSpese.Importo, DdtSpese.Percentuale, DdtSpese.ImportoMin, DdtSpese.ImportoMax, DdtSpese.SoggRitAcc FROM Spese INNER JOIN DdtSpese ON Spese.Spesa = DdtSpese.Spesa WHERE anno = 2026 and NumRif = 15
;;
-- select-ro | DecodHelp: expense-code look-up window (look-up library; only the filter text is given, rest natural)
Select * from Spese Where  (Spese.moneta = 'Euro' or Spese.moneta = 'L.')
;;
-- select-ro | MettiRiga: highest expense row number of the document
Select top 1 * from DdtSpese where Anno = 2026 and NumRif = 15 order by Riga DESC
;;
-- select-ro | AggSpeBan.CalcUltRiga: highest expense row number (other letter case than MettiRiga)
Select top 1 * from DdtSpese where anno = 2026 AND NumRif = 15 order by Riga DESC
;;
-- select-upd | AggSpeBan.CercaRigaSpesa: the document's row of one expense code, edited or deleted through the recordset
Select TOP 1 * from DdtSpese where anno = 2026 AND NumRif = 15 AND Spesa = 'BANCA'
;;
-- select-upd | AggSpeBan.InsRigaSpesa / InsSpeseStandard (line 1603): empty recordset used only to add rows
Select * from DdtSpese where false
;;
-- select-ro | AggSpeBan.EsisteCassaPrev: a pension-fund expense row exists
Select TOP 1 * from (DdtSpese Left Join Spese On Spese.Spesa = DdtSpese.Spesa) where DdtSpese.anno = 2026 AND DdtSpese.NumRif = 15 AND CassaPrev = 'S'
;;
-- select-ro | AggSpeBan.InsSpeseStandard: standard expenses (no caller filter)
Select * from Spese Where Standard = 'S'
;;
-- select-ro | AggSpeBan.InsSpeseStandard with caller filter (CauCon.SpesaCassaPrev code, or PianoConti.Spesa of the customer)
Select * from Spese Where Spesa = 'CASPR'
;;
-- select-ro | AggSpeBan.SostSpesaDoc: master row of the new expense code
Select Spese.* from Spese where Spesa = 'TRASP'
;;
-- select-ro | VerifSpeseBanPag: customer charged for bank charges
Select PianoConti.SpeseBan from PianoConti where Gruppo = '01' and Mastro = '05' and Conto = '000123'
;;
-- select-ro | VerifSpeseBolli: customer charged for stamp duty (only when pvSogg flags are missing)
Select PianoConti.Bolli from PianoConti where Gruppo = '01' and Mastro = '05' and Conto = '000123'
;;
-- select-ro | VerifSpeseBanPag / VerifSpeseBolli: payment with the expense it charges
Select Pagamenti.*,Spese.* from Pagamenti left join Spese on Pagamenti.Spesa = Spese.Spesa where Pagamento = 'RB30'
;;
-- select-upd | RipristinoDdt selection, fullest (all seven optional conditions); DdtTest.Stato and movement columns are then edited through this joined dynaset
Select DdtTest.*, Monete.*, FattDocumenti.*, PianoConti.Bolli, PianoConti.SpeseBan FROM (( DdtTest left join FattDocumenti on DdtTest.FattDocumento = FattDocumenti.FattDocumento) left join Monete on DdtTest.Moneta = Monete.Moneta) left join PianoConti on DdtTest.GruppoCli = PianoConti.Gruppo and DdtTest.MastroCli = PianoConti.Mastro and DdtTest.ContoCli = PianoConti.Conto Where  DdtTest.Stato = 'S' and DdtTest.Anno = 2026 and DdtTest.FattDocumento ='DDT' and DdtTest.NumRif >=10 and DdtTest.NumRif <=20 and DdtTest.PreDoc ='A/' and DdtTest.NumDoc >=100 and DdtTest.NumDoc <=200
;;
-- select-upd | RipristinoDdt selection as the header form calls it (one DDT, no printed-number bounds)
Select DdtTest.*, Monete.*, FattDocumenti.*, PianoConti.Bolli, PianoConti.SpeseBan FROM (( DdtTest left join FattDocumenti on DdtTest.FattDocumento = FattDocumenti.FattDocumento) left join Monete on DdtTest.Moneta = Monete.Moneta) left join PianoConti on DdtTest.GruppoCli = PianoConti.Gruppo and DdtTest.MastroCli = PianoConti.Mastro and DdtTest.ContoCli = PianoConti.Conto Where  DdtTest.Stato = 'S' and DdtTest.Anno = 2026 and DdtTest.FattDocumento ='DDT' and DdtTest.NumRif >=15 and DdtTest.NumRif <=15
;;
-- action | CancMovim: serial numbers of the movement
Delete from MovMagMatr Where anno = 2026 And numreg = 1234
;;
-- action | CancMovim: lot rows of the movement
Delete from MovMagRintraccia Where anno = 2026 And numreg = 1234
;;
-- action | CancMovim: movement header
DELETE MovMagTes.* FROM MovMagTes WHERE MovMagTes.Anno=2026 AND MovMagTes.NumReg=1234
;;
-- select-ro | AggInterfLotti: active lot-interface rows of the printed number
Select * from 0_RigheDdt Where NUM_DDT = 'A/123' AND Annullato = False
;;
-- select-ro | AggInterfLotti: interface lines of the DDT (batch, lot, treatment code, transcoding codes)
SELECT DdtDett.*, DdtTest.DataInizioTrasp, DdtTest.OraInizioTrasp, PianoConti.CodTrascodifica, Vettori.CodTrascodifica, Vettori.Targa FROM (DdtDett INNER JOIN (DdtTest LEFT JOIN Vettori ON DdtTest.Vettore = Vettori.Vettore) ON DdtDett.NumRif = DdtTest.NumRif AND DdtDett.Anno = DdtTest.Anno) LEFT JOIN PianoConti ON DdtTest.ContoCli = PianoConti.Conto AND DdtTest.MastroCli = PianoConti.Mastro AND DdtTest.GruppoCli = PianoConti.Gruppo WHERE DdtTest.Anno = 2026 AND DdtTest.NumRif = 15 AND not isnull(DdtDett.DescPers1) AND not isnull(DdtDett.DescPers3) AND not isnull(PianoConti.CodTrascodifica) AND DdtDett.DescPers2 = 'NT'
;;
-- action | AggInterfLotti: marker row (batch and lot "zzzzzzzzzz", Null plate)
INSERT INTO 0_RigheDdt (NUM_DDT, DATA, ORA, COD_cliente, Partita, Lotto, Peso_netto, Num_colli, trasporti_id, TARGA, Annullato) VALUES ('A/123',#2026-12-10#,#1899-12-30 08:30:00#,'C0042','zzzzzzzzzz','zzzzzzzzzz',0,0,'Trasporti D''Angelo s',Null,true)
;;
-- action | AggInterfLotti: delete the active rows of the number, marker excepted
Delete * from 0_RigheDdt Where NUM_DDT = 'A/123' AND Annullato = False AND Partita <> 'zzzzzzzzzz' AND Lotto <> 'zzzzzzzzzz'
;;
-- action | AggInterfLotti: one cancelled row per interface line
INSERT INTO 0_RigheDdt (NUM_DDT, DATA, ORA, COD_cliente, Partita, Lotto, Peso_netto, Num_colli, trasporti_id, TARGA, Annullato) VALUES ('A/123',#2026-12-10#,#1899-12-30 08:30:00#,'C0042','P2026-07','L0815',12.5,3,'Trasporti D''Angelo s','AB123CD',true)
;;
-- action | CancSegnapostoLotti: delete the marker rows of the number
Delete * from 0_RigheDdt Where NUM_DDT = 'A/123' AND Partita = 'zzzzzzzzzz' AND Lotto = 'zzzzzzzzzz'
;;
-- select-upd | UtilMovim.ApriTestMovim: movement header joined with its cause (dynaset, open type 2)
Select MovMagTes.*,MagCausali.* from  MovMagTes INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale Where MovMagTes.anno = 2026 And MovMagTes.numreg = 1234
;;
-- select-upd | UtilMovim.SqlRigheMovim detail rows joined with Articoli; rows deleted (and Articoli habitual supplier edited, 10.106) through it
Select MovMagDett.*, Articoli.LivGruppo1, Articoli.ArtMag, Articoli.FlagLivLis, Articoli.GruppoForAb, Articoli.MastroForAb, Articoli.ContoForAb from  MovMagDett Inner Join Articoli ON (MovMagDett.Articolo = Articoli.Articolo) Where MovMagDett.Anno = 2026 AND MovMagDett.NumReg = 1234
;;
-- select-upd | UtilMovim.SqlRigheMovim level rows (with optional ListDaAgg, ListDaAggClie) joined with detail and Articoli; rows deleted through it
Select MovMagLiv.*, MovMagDett.Articolo, MovMagDett.ListDaAgg, MovMagDett.ListDaAggClie, Articoli.LivGruppo1, Articoli.ArtMag, Articoli.FlagLivLis, Articoli.GruppoForAb, Articoli.MastroForAb, Articoli.ContoForAb from  (MovMagLiv Inner Join MovMagDett ON (MovMagDett.NumReg = MovMagLiv.NumReg) AND (MovMagDett.Anno = MovMagLiv.Anno) AND (MovMagDett.RigLiv = MovMagLiv.RigLiv)) Inner Join Articoli ON (MovMagDett.Articolo = Articoli.Articolo) Where MovMagDett.Anno = 2026 AND MovMagDett.NumReg = 1234
;;
-- select-upd | AggRigaMovim: article cost row (PrepSqlLivelli level condition; detail row = no-level marker)
Select * from ArticoliCosti Where Anno = 2026 And Articolo = 'ART001' And Livello1 = '~ç~' And Livello2 = '~ç~'
;;
-- select-upd | AggArticoliProg: stock progressive row of a warehouse, level row with real level codes
Select * from ArticoliProg Where Anno = 2026 And Magazzino = 'MAG1' And Articolo = 'ART001' And Livello1 = 'ROSSO' And Livello2 = 'XL'
;;
-- action | TransInizio on a database server (pass-through, option 64, errors ignored)
SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED
;;
-- action | TransConferma / TransAnnulla on a database server (pass-through, option 64)
SET TRANSACTION ISOLATION LEVEL READ COMMITTED
;;
-- select-ro | CalcGiacenza: sums of ArticoliProg, warehouse and both levels given (exact text from :142)
Select sum(QtaIniziale) As SumQtaIniziale, sum(QtaCarico) As SumQtaCarico, sum(QtaSCarico) As SumQtaSCarico, sum(QtaOrdFor) As SumQtaOrdFor, sum(QtaImpCli) As SumQtaImpCli from ArticoliProg Where Anno = 2026 and Articolo = 'MAGLIA01' and Magazzino = '01' and Livello1 = 'XL' and Livello2 = 'ROSSO'
;;
-- select-ro | CalcGiacenza mode "G" over all warehouses for the cost row's levels (no Magazzino, "~ç~" levels)
Select sum(QtaIniziale) As SumQtaIniziale, sum(QtaCarico) As SumQtaCarico, sum(QtaSCarico) As SumQtaSCarico, sum(QtaOrdFor) As SumQtaOrdFor, sum(QtaImpCli) As SumQtaImpCli from ArticoliProg Where Anno = 2026 and Articolo = 'MAGLIA01' and Livello1 = 'XL' and Livello2 = '~ç~'
;;
-- select-ro | LeggiGruppiLiv: Articoli left-joined twice with LivGruppi (natural)
Select Articoli.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2, LivGruppi1.Descrizione AS DescrGruppo1, LivGruppi2.Descrizione AS DescrGruppo2 FROM (Articoli LEFT JOIN LivGruppi AS LivGruppi1 ON Articoli.LivGruppo1 = LivGruppi1.LivGruppo) LEFT JOIN LivGruppi AS LivGruppi2 ON Articoli.LivGruppo2 = LivGruppi2.LivGruppo WHERE Articoli.Articolo = 'MAGLIA01'
;;
-- select-ro | MostraArticolo: level groups and level-price flag of the line's article (natural)
Select LivGruppo1, LivGruppo2, FlagLivLis from Articoli Where Articolo = 'MAGLIA01'
;;
-- select-ro | DecodCodice kind "Livello": a level code of the article's group with its description (natural, look-up library)
Select LivComp.Livello, Livelli.Descrizione FROM (Articoli INNER JOIN LivComp ON Articoli.LivGruppo1 = LivComp.LivGruppo) LEFT JOIN Livelli ON LivComp.Livello = Livelli.Livello WHERE Articoli.Articolo = 'MAGLIA01' AND LivComp.Livello = 'XL'
;;
-- select-ro | RicPrezzo: newest promotion of article and list valid on the date, flag 2 (natural; validity columns guessed)
Select top 1 ArtLisPromozioni.* from ArtLisPromozioni Where Articolo = 'MAGLIA01' And Listino = '001' And Livello1 = 'XL' And Livello2 = 'ROSSO' And DataInizio <= #2026-12-10# And DataFine >= #2026-12-10# Order By DataInizio Desc
;;
-- select-ro | RicPrezzo: newest ArtListini row of the list with the Listini discount, flag 2 (natural)
Select top 1 ArtListini.*, Listini.Sconto AS ListSconto, Listini.ScoSomSost AS ListScoSomSost, Listini.Ivato from ArtListini INNER JOIN Listini ON ArtListini.Listino = Listini.Listino Where ArtListini.Articolo = 'MAGLIA01' And ArtListini.Listino = '001' And ArtListini.Livello1 = 'XL' And ArtListini.Livello2 = 'ROSSO' And ArtListini.DataInizio <= #2026-12-10# Order By ArtListini.DataInizio Desc
;;
-- select-upd | AggDateListini: rows of article, levels and list to rewrite DataFine (natural)
Select * from ArtListini Where Articolo = 'MAGLIA01' And Livello1 = 'XL' And Livello2 = '~ç~' And Listino = '001' Order By DataInizio
;;
-- select-upd | AggPrezziLivelli, fullest (discount unchanged with flag 1, only-unprocessed flag True)
Select * FROM DdtLiv WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5 AND Livello1 = 'XL' AND StatoRiga is null
;;
-- select-upd | AggPrezziLivelli, plain (flag 0 or discount changed, all states)
Select * FROM DdtLiv WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- select-upd | ComLock.BloccaDoc: look-up of the lock row by Tipo, Anno, NumReg; a new row is then added through the recordset (natural)
Select * from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 1234
;;
-- action | DuplRigheDett: copy of the DdtLiv rows under the new DDT, StatoRiga "", QtaProv Null, RigLivOrig 0 (natural)
INSERT INTO DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, QtaProv, StatoRiga) SELECT 2026, 1301, RigLiv, Livello1, Livello2, 0, UM, FatCon, Qta, ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, Null, '' FROM DdtLiv WHERE Anno = 2026 AND NumRif = 1234
;;
-- select-ro | SottoQueryLiv: grid columns Liv1/Liv2 = the level pair when the line has exactly one DdtLiv row (natural)
Select DdtDett.Anno, DdtDett.NumRif, DdtDett.RigLiv, DdtDett.RigDet, DdtDett.Articolo, DdtDett.Qta, iif((Select Count(*) From DdtLiv Where DdtLiv.Anno = DdtDett.Anno And DdtLiv.NumRif = DdtDett.NumRif And DdtLiv.RigLiv = DdtDett.RigLiv) = 1, (Select First(DdtLiv.Livello1) From DdtLiv Where DdtLiv.Anno = DdtDett.Anno And DdtLiv.NumRif = DdtDett.NumRif And DdtLiv.RigLiv = DdtDett.RigLiv), Null) AS Liv1, iif((Select Count(*) From DdtLiv Where DdtLiv.Anno = DdtDett.Anno And DdtLiv.NumRif = DdtDett.NumRif And DdtLiv.RigLiv = DdtDett.RigLiv) = 1, (Select First(DdtLiv.Livello2) From DdtLiv Where DdtLiv.Anno = DdtDett.Anno And DdtLiv.NumRif = DdtDett.NumRif And DdtLiv.RigLiv = DdtDett.RigLiv), Null) AS Liv2 FROM DdtDett WHERE DdtDett.Anno = 2026 AND DdtDett.NumRif = 1234 ORDER BY DdtDett.RigDet
;;
-- select-ro | VerAggCambioScoCli: total of the line's level rows after re-pricing
SELECT Sum(ValTotale) AS Totale FROM DdtLiv WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- select-upd | AggModCambio: DdtLiv rows of the DDT re-valued in ValLire/ValEuro (natural)
Select * from DdtLiv Where Anno = 2026 And NumRif = 1234
;;
-- action | PersLPaPri op 13/19: delete the line's rows from DdtLivApp (article changed / line deleted)
Delete from DdtLivApp Where Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- action | PersLPaPri op 19: delete the line's serial-number working rows (natural; DdtMatrApp key guessed)
Delete from DdtMatrApp Where Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- action | PersLPaPri op 19: delete the line's lot working rows (natural; lot rows use NumReg)
Delete from DdtRintracciaApp Where Anno = 2026 AND NumReg = 1234 AND RigLiv = 5
;;
-- action | IncollaDaCopia: copy a copied line's DdtLivApp rows under the new line's RigLiv (natural)
INSERT INTO DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, QtaProv, StatoRiga) SELECT Anno, NumRif, 9, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, QtaProv, StatoRiga FROM DdtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- action | PrepDocApp/CopiaRighe: copy the DDT's DdtLiv rows into DdtLivApp (natural)
INSERT INTO DdtLivApp SELECT DdtLiv.* FROM DdtLiv WHERE DdtLiv.Anno = 2026 AND DdtLiv.NumRif = 1234
;;
-- action | ConfermaDocApp / CancDoc: delete the DDT's committed level rows (natural)
Delete * from DdtLiv Where Anno = 2026 And NumRif = 1234
;;
-- action | ConfermaDocApp: committed level rows replaced by the working rows (natural)
INSERT INTO DdtLiv SELECT DdtLivApp.* FROM DdtLivApp WHERE DdtLivApp.Anno = 2026 AND DdtLivApp.NumRif = 1234
;;
-- action | ConfermaDocApp: empty DdtLivApp for the DDT afterwards (natural)
Delete * from DdtLivApp Where Anno = 2026 And NumRif = 1234
;;
-- select-ro | AggMovimRiga: movement header joined with its causal (open type not stated)
Select MovMagTes.*,MagCausali.* from MovMagTes INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale Where MovMagTes.Anno = 2026 And MovMagTes.NumReg = 812
;;
-- select-ro | AggMovimRiga: detail rows joined with Articoli (natural)
Select MovMagDett.*, Articoli.* from MovMagDett INNER JOIN Articoli ON MovMagDett.Articolo = Articoli.Articolo Where MovMagDett.Anno = 2026 And MovMagDett.NumReg = 812
;;
-- select-ro | RipriDdt.DisAggMovim: level rows with the detail row's Articolo and list columns and the article (natural)
Select MovMagLiv.*, MovMagDett.Articolo, MovMagDett.ListDaAgg, MovMagDett.ListDaAggClie, Articoli.* from (MovMagLiv INNER JOIN MovMagDett ON MovMagLiv.Anno = MovMagDett.Anno AND MovMagLiv.NumReg = MovMagDett.NumReg AND MovMagLiv.RigLiv = MovMagDett.RigLiv) INNER JOIN Articoli ON MovMagDett.Articolo = Articoli.Articolo Where MovMagLiv.Anno = 2026 And MovMagLiv.NumReg = 812
;;
-- select-upd | AggProgressivi: the warehouse's progressive row of year, warehouse, article, levels (natural)
Select * from ArticoliProg Where Anno = 2026 And Magazzino = '01' And Articolo = 'MAGLIA01' And Livello1 = 'XL' And Livello2 = 'ROSSO'
;;
-- select-upd | cost recordset with PrepSqlLivelli condition (FlagLivLis 1: Livello2 "~ç~")
Select * from ArticoliCosti Where Anno = 2026 And Articolo = 'MAGLIA01' And Livello1 = 'XL' And Livello2 = '~ç~'
;;
-- select-upd | AggListinoDaCosto step 1: the ArtListini row in force at the date
Select top 1 ArtListini.* from ArtListini Where Articolo = 'MAGLIA01' AND ArtListini.Listino = '001' AND Livello1 = 'XL' AND Livello2 = '~ç~' AND DataInizio <= #2026-12-10# ORDER BY DataInizio Desc
;;
-- select-ro | list currency decimals and VAT-inclusive flag
SELECT Monete.NumDecGest, Monete.Moneta, Listini.Ivato FROM Listini INNER JOIN Monete ON Listini.Moneta = Monete.Moneta Where Listini.Listino = '002'
;;
-- select-ro | article markup and sales VAT rate
SELECT Articoli.Maggior, TabIva.Aliquota FROM Articoli INNER JOIN TabIva ON Articoli.IvaVendite = TabIva.Iva Where Articolo = 'MAGLIA01'
;;
-- select-ro | account markup for customer lists
SELECT PianoConti.PercRicListClie From PianoConti WHERE PianoConti.Gruppo = '40' AND PianoConti.Mastro = '10' AND PianoConti.Conto = '000123'
;;
-- select-upd | AggArtFor: supplier record of a level row (levels from PrepSqlLivelli)
Select * from ArticoliFor Where Articolo = 'MAGLIA01' And Livello1 = 'XL' And Livello2 = 'ROSSO' And GruppoFor = '40' And MastroFor = '10' And ContoFor = '000123'
;;
-- select-upd | AggImpegniArt: progressive rows of this and later years (order line: both levels "~ç~")
Select * from ArticoliProg where Anno>=2026 And Magazzino='01' And Articolo='MAGLIA01' And Livello1='~ç~' And Livello2='~ç~'
;;
-- select-upd | AggImpegniArt: level row of an order (Livello1/Livello2 given)
Select * from ArticoliProg where Anno>=2026 And Magazzino='01' And Articolo='MAGLIA01' And Livello1='XL' And Livello2='ROSSO'
;;
-- select-ro | EsplodiDiBa: bill-of-materials links with the component's master row
Select ArtLegami.*, Articoli.* from ArtLegami Left Join Articoli On ArtLegami.ArticoloFiglio = Articoli.Articolo Where ArticoloPadre = 'KIT01'
;;
-- select-upd | AggImpegnoComp: every level pair of the component, this and later years
Select * from ArticoliProg where Anno>=2026 And Magazzino='02' And Articolo='BOTTONE05'
;;
-- select-upd | DisAggDocProv step 3: lock row of the DDT (BloccaDoc, new lock; row added through the recordset) (natural)
Select * from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 1234
;;
-- select-ro | source list for kind "O": DDT lines left-joined to the order headers, grouped (First() per text)
Select DdtDett.AnnoRifProv as AnnoRiferim, DdtDett.NumRifProv as NumRiferim, First(OrdVenTest.Anno) as AnnoDocOrg, First(OrdVenTest.NumRif) as NumrifDocOrg, First(OrdVenTest.PreDoc) as PrefDoc, First(OrdVenTest.NumDoc) as NumDoc, First(OrdVenTest.DataDoc) as DataDoc FROM DdtDett LEFT JOIN OrdVenTest ON DdtDett.AnnoRifProv = OrdVenTest.Anno AND DdtDett.NumRifProv = OrdVenTest.NumRif WHERE DdtDett.TipoProv = 'O' AND DdtDett.Anno = 2026 AND DdtDett.NumRif = 1234 GROUP BY DdtDett.AnnoRifProv, DdtDett.NumRifProv, DdtDett.TipoProv
;;
-- select-ro | source list for kind "D": source header DdtTest (kind "P" is the same with PrevTest)
Select DdtDett.AnnoRifProv as AnnoRiferim, DdtDett.NumRifProv as NumRiferim, First(DdtTest.Anno) as AnnoDocOrg, First(DdtTest.NumRif) as NumrifDocOrg, First(DdtTest.PreDoc) as PrefDoc, First(DdtTest.NumDoc) as NumDoc, First(DdtTest.DataDoc) as DataDoc FROM DdtDett LEFT JOIN DdtTest ON DdtDett.AnnoRifProv = DdtTest.Anno AND DdtDett.NumRifProv = DdtTest.NumRif WHERE DdtDett.TipoProv = 'D' AND DdtDett.Anno = 2026 AND DdtDett.NumRif = 1234 GROUP BY DdtDett.AnnoRifProv, DdtDett.NumRifProv, DdtDett.TipoProv
;;
-- action | source-DDT reset: printed source DDT back to state "S" (EseguiSql, no options)
UPDATE DdtTest SET DdtTest.Stato = 'S' WHERE DdtTest.Anno = 2025 AND DdtTest.NumRif = 988
;;
-- select-upd | DisAggOrdVen phase 1/2: lock row of a source order (new lock or check-only reopen) (natural)
Select * from LockGest Where Tipo = 'O' And Anno = 2026 And NumReg = 45
;;
-- select-upd | phase 2 step 1: the order header
Select * from OrdVenTest Where Anno = 2026 And NumRif = 45
;;
-- select-ro | step 4: MagCausale of the order's document type (LeggiCampoDecod "FattDocumento", natural)
Select MagCausale from FattDocumenti Where FattDocumento = 'OV'
;;
-- select-ro | step 4: CarScar and MagCausaleDiBa of that causal (LeggiCampoDecod "MagCausale", natural)
Select CarScar, MagCausaleDiBa from MagCausali Where MagCausale = 'VEN'
;;
-- select-ro | step 4: MagScaricoComp of the bill-of-materials causal (natural)
Select MagScaricoComp from MagCausali Where MagCausale = 'DIBA'
;;
-- select-upd | step 5: source join DDT -> lines -> order lines/levels, nested LEFT JOINs
Select DdtTest.Anno, DdtDett.QtaProv, DdtLiv.QtaProv, DdtLiv.*, OrdVenTest.*, OrdVenDett.*, OrdVenLiv.*, Articoli.ArtMag, TabIva.* FROM ((((((DdtTest LEFT JOIN DdtDett ON DdtTest.NumRif = DdtDett.NumRif AND DdtTest.Anno = DdtDett.Anno) LEFT JOIN OrdVenDett ON DdtDett.RigaRifProv = OrdVenDett.RigLiv AND DdtDett.NumRifProv = OrdVenDett.NumRif AND DdtDett.AnnoRifProv = OrdVenDett.Anno) LEFT JOIN OrdVenTest ON OrdVenDett.NumRif = OrdVenTest.NumRif AND OrdVenDett.Anno = OrdVenTest.Anno) LEFT JOIN DdtLiv ON DdtDett.RigLiv = DdtLiv.RigLiv AND DdtDett.NumRif = DdtLiv.NumRif AND DdtDett.Anno = DdtLiv.Anno) LEFT JOIN OrdVenLiv ON OrdVenDett.RigLiv = OrdVenLiv.RigLiv AND OrdVenDett.NumRif = OrdVenLiv.NumRif AND OrdVenDett.Anno = OrdVenLiv.Anno) LEFT JOIN Articoli ON OrdVenDett.Articolo = Articoli.Articolo) LEFT JOIN TabIva ON OrdVenDett.Iva = TabIva.Iva WHERE (DdtLiv.Livello1 = OrdVenLiv.Livello1 OR DdtLiv.Livello2 Is Null) AND (DdtLiv.Livello2 = OrdVenLiv.Livello2 OR DdtLiv.Livello2 Is Null) AND DdtDett.TipoProv = 'O' AND OrdVenDett.Anno = 2026 AND OrdVenDett.NumRif = 45 AND DdtDett.Anno = 2026 AND DdtDett.NumRif = 1234
;;
-- select-upd | step 8.1: the order line
Select * from OrdVenDett Where Anno = 2026 And NumRif = 45 And RigLiv = 3
;;
-- select-upd | step 8.4: the order level row
Select * from OrdVenLiv Where Anno = 2026 And NumRif = 45 And RigLiv = 3 And Livello1 = 'XL' And Livello2 = 'ROSSO'
;;
-- select-ro | step 11: article lines of the order still evaded or partly evaded (natural)
Select * from OrdVenDett Where Anno = 2026 And NumRif = 45 And (TipoRiga = 'A' Or TipoRiga = 'M') And (StatoRiga = 'E' Or StatoRiga = 'P')
;;
-- select-ro | DisAggRigaOrdLiv step 1: level rows of the line still "E" or "P" (natural)
Select * from OrdVenLiv Where Anno = 2026 And NumRif = 45 And RigLiv = 3 And (StatoRiga = 'E' Or StatoRiga = 'P')
;;
-- select-ro | LivelloUnico: level rows of the stored line with level descriptions
Select DdtLivApp.Livello1, Livelli1.Descrizione as DescrLiv1, DdtLivApp.Livello2, Livelli2.Descrizione as DescrLiv2 FROM (DdtLivApp LEFT JOIN Livelli as Livelli1 ON Livelli1.Livello = DdtLivApp.Livello1) LEFT JOIN Livelli as Livelli2 ON Livelli2.Livello = DdtLivApp.Livello2 where DdtLivApp.Anno = 2026 AND DdtLivApp.NumRif = 1234 AND DdtLivApp.RigLiv = 5
;;
-- select-upd | SalDatiLiv: the line's level row, inserted or edited through the recordset
Select * from DdtLivApp where DdtLivApp.Anno = 2026 AND DdtLivApp.NumRif = 1234 AND DdtLivApp.RigLiv = 5
;;
-- select-upd | PrepSql: grid query of the level-row list (page opens it and edits rows through it)
Select DDtLivApp.Anno, DDtLivApp.NumRif, DDtLivApp.RigLiv, DDtLivApp.Livello1 as Livello1, Livelli1.Descrizione as Descr_1, DDtLivApp.Livello2 as Livello2, Livelli2.Descrizione as Descr_2, DDtLivApp.Qta, DDtLivApp.ValUnitario, DDtLivApp.ValTotale, DDtLivApp.ScontoTot, iif('Euro' = 'L.', DDtLivApp.ValLire, DDtLivApp.ValEuro) as ValAggMag, DDtLivApp.ValLire, DDtLivApp.ValEuro, DDtLivApp.UM, DDtLivApp.FatCon FROM (DDtLivApp LEFT JOIN Livelli as Livelli1 ON Livelli1.Livello = DDtLivApp.Livello1) LEFT JOIN Livelli as Livelli2 ON Livelli2.Livello = DDtLivApp.Livello2 where DDtLivApp.Anno = 2026 AND DDtLivApp.NumRif = 1234 AND DDtLivApp.RigLiv = 5 Order BY DDtLivApp.Livello1, DDtLivApp.Livello2
;;
-- select-ro | CalcTotDocum: total amount and quantity of the line's level rows
SELECT Sum(ValTotale) as TotDocum , Sum(Qta) as TotQta FROM DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- select-ro | CreaRigheLivelli: cross product of the two groups' elements (comma join)
Select LivComp.*, LivComp2.* FROM LivComp, LivComp as LivComp2 WHERE LivComp.livgruppo = 'TAGLIE' AND LivComp2.livgruppo = 'COLORI'
;;
-- select-ro | CreaRigheLivelli: one group only
Select LivComp.* FROM LivComp WHERE LivComp.livgruppo = 'TAGLIE'
;;
-- select-ro | CancRecVuoti: count of rows with a quantity or an amount
Select count(*) as RecVal from DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5 AND (Qta > 0 OR ValTotale > 0)
;;
-- action | CancRecVuoti: delete the line's rows without quantity (ISNULL function)
Delete from DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5 AND (Qta = 0 OR ISNULL(Qta))
;;
-- select-ro | LeggiPrezzo, fullest (flag 1, stored row being edited)
Select TOP 1 ValUnitario FROM DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5 AND Livello1 = 'XL' AND Livello2 <> 'ROSSO'
;;
-- select-ro | LeggiPrezzo, plain (flag 0, new row)
Select TOP 1 ValUnitario FROM DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- select-upd | AggPrezziAltri: AggPrezziLivelli on "DDtLivApp", flag 1, chain unchanged, every state
Select * FROM DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5 AND Livello1 = 'XL'
;;
-- select-ro | SqlEleLiv: elements of a level group with descriptions
Select LivComp.*,Livelli.Descrizione FROM LivComp Left Join Livelli On LivComp.Livello = Livelli.Livello WHERE LivComp.livgruppo = 'TAGLIE' Order by LivComp.Livello
;;
-- select-ro | PrepVetLiv: stored level rows of the line (layout 2; layout 6 by Utente is never used by this program)
Select DDtLivApp.* from DDtLivApp where DDtLivApp.Anno = 2026 AND DDtLivApp.NumRif = 1234 AND DDtLivApp.RigLiv = 5
;;
-- action | SalvaDati: delete the line's level rows before the inserts (text per :818)
Delete * from DDtLivApp where DDtLivApp.Anno = 2026 AND DDtLivApp.NumRif = 1234 AND DDtLivApp.RigLiv = 5
;;
-- action | SalvaDati: one insert per cell with quantity > 0 (text per :823)
Insert into DDtLivApp (Anno, Numrif, RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, QtaProv, StatoRiga) Values ( 2026, 1234, 5, 'XL', 'ROSSO', 0, 'PZ', 1, 3, 12.5, 33.75, '10', '', 33.75, 33.75, Null, '')
;;
-- select-ro | NoDatiMem as  words it (count and Sum(Qta)); :839 has the count only
SELECT count(*) as quanti , Sum(Qta) as TotQta FROM DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- action | TransInizio on a database server (pass-through)
SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED
;;
-- action | TransConferma / TransAnnulla on a database server (pass-through)
SET TRANSACTION ISOLATION LEVEL READ COMMITTED
;;
-- action | SvuotaAppoggioTemp: delete the user's lot selection list (also  step 1, line 1695)
DELETE FROM AppoggioTemp WHERE Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda'
;;
-- select-ro | CalcGiacenza, fullest (warehouse and both levels given); used by MostraDispGiac (line 590)
Select sum(QtaIniziale) As SumQtaIniziale, sum(QtaCarico) As SumQtaCarico, sum(QtaSCarico) As SumQtaSCarico, sum(QtaOrdFor) As SumQtaOrdFor, sum(QtaImpCli) As SumQtaImpCli from ArticoliProg Where Anno = 2026 and Articolo = 'MAGLIA01' and Magazzino = '01' and Livello1 = 'XL' and Livello2 = 'ROSSO'
;;
-- select-ro | CalcGiacenza, plain (no warehouse, Null levels)
Select sum(QtaIniziale) As SumQtaIniziale, sum(QtaCarico) As SumQtaCarico, sum(QtaSCarico) As SumQtaSCarico, sum(QtaOrdFor) As SumQtaOrdFor, sum(QtaImpCli) As SumQtaImpCli from ArticoliProg Where Anno = 2026 and Articolo = 'MAGLIA01'
;;
-- select-ro | SqlEleLiv: elements of a level group
Select LivComp.*,Livelli.Descrizione FROM LivComp Left Join Livelli On LivComp.Livello = Livelli.Livello WHERE LivComp.livgruppo = 'COLORI' Order by LivComp.Livello
;;
-- select-ro | PrepVetLiv: stored level rows of the line from osFileDocLiv (natural, as :2384)
Select DDtLivApp.* from DDtLivApp where DDtLivApp.Anno = 2026 AND DDtLivApp.NumRif = 1234 AND DDtLivApp.RigLiv = 5
;;
-- select-ro | DecodLotto: lot of the current row, open lots only, owner and progressive given (natural, look-up library)
Select * from Lotti Where Articolo = 'MAGLIA01' And Lotto = 'L2026A' And Chiuso = 'A' And GruppoCliFor = '40' And MastroCliFor = '10' And ContoCliFor = '000123' And NrProgLotto = 1
;;
-- select-ro | DecodLotto: origin panel, the warehouse movement that loaded the lot (natural)
Select MovMagTes.NumReg, MovMagTes.DataReg, MovMagTes.PreDoc, MovMagTes.NumDoc, MovMagTes.DataDoc FROM MovMagTes INNER JOIN MovMagRintraccia ON MovMagTes.Anno = MovMagRintraccia.Anno AND MovMagTes.NumReg = MovMagRintraccia.NumReg WHERE MovMagRintraccia.TipOpe = 'C' AND MovMagRintraccia.Articolo = 'MAGLIA01' AND MovMagRintraccia.GruppoCliFor = '40' AND MovMagRintraccia.MastroCliFor = '10' AND MovMagRintraccia.ContoCliFor = '000123' AND MovMagRintraccia.Lotto = 'L2026A' AND MovMagRintraccia.NrProgLotto = 1 ORDER BY MovMagTes.DataReg
;;
-- select-ro | DecodTabDec: a code of TabDecod for key "C" (filter "Chiave = 'C'" from the text; code column name guessed)
Select * From TabDecod Where Chiave = 'C' And Codice = 'C1'
;;
-- action | SalvaLotto, existing row: update of the lot master record (natural column order from the text)
Update Lotti Set Descrizione = 'Lotto dell''orto', DataScadenza = #2027-06-30#, Categoria = 'C1', Trattamento = 'T1', Confezione = 'Z1', Specie = 'S1', DataProduzione = #2026-12-10# Where Articolo = 'MAGLIA01' And GruppoCliFor = '40' And MastroCliFor = '10' And ContoCliFor = '000123' And Lotto = 'L2026A' And NrProgLotto = 1
;;
-- action | SalvaLotto, new row: insert of the lot master record, Chiuso "A", no expiry
Insert INTO Lotti (Lotto, NrProgLotto, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, DataScadenza, Descrizione, Categoria, Trattamento, Confezione, Specie, DataProduzione, Chiuso) VALUES ('L2026A', 1, 'MAGLIA01', '40', '10', '000123', Null, 'Lotto dell''orto', 'C1', 'T1', 'Z1', 'S1', #2026-12-10#, 'A')
;;
-- action | SalvaDati step 4: delete the line's stored level rows (layout 2)
Delete * from DDtLivApp where DDtLivApp.Anno = 2026 AND DDtLivApp.NumRif = 1234 AND DDtLivApp.RigLiv = 5
;;
-- action | SalvaDati step 6: insert of one cell (layout 2), QtaProv kept
Insert into DDtLivApp (Anno, Numrif, RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, QtaProv, StatoRiga) Values ( 2026, 1234, 5, 'XL', 'ROSSO', 3, 'PZ', 1, 4, 12.5, 45, '10+5', '', 45, 45, 4, 'P')
;;
-- action | SalvaDati step 6: insert of one cell (layout 2), empty QtaProv as Null, no second level
Insert into DDtLivApp (Anno, Numrif, RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, QtaProv, StatoRiga) Values ( 2026, 1234, 5, 'XL', '~ç~', 0, 'PZ', 1, 2, 12.5, 25, '', '', 25, 25, Null, '')
;;
-- select-ro | NoDatiMem: count of the line's stored level rows (layout 2)
SELECT count(*) as quanti FROM DDtLivApp WHERE Anno = 2026 AND NumRif = 1234 AND RigLiv = 5
;;
-- select-ro | CercaLottoRiga: lot rows of the line on article change (RigLiv > 0)
Select GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, NrProgLotto from DdtRintracciaApp Where Anno = 2026 And NumReg = 1234 And RigLiv = 5
;;
-- select-ro | CalcGiacLotto, variant A: psTipoFileEscl "da" with line (quantity check / selection list), psTipoFileDoc ""
SELECT 1 as tipoFile , Sum(iif(TipOpe='S' or (TipOpe='I' and MovMagTes.MagazzinoProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and MovMagTes.MagazzinoDest = '01'),Qta,0)) AS QtaCarico FROM MovMagRintraccia Inner Join MovMagTes ON MovMagTes.Anno = MovMagRintraccia.Anno AND MovMagTes.NumReg = MovMagRintraccia.NumReg Where MovMagRintraccia.Lotto = 'L2026A' And MovMagRintraccia.NrProgLotto = 1 And MovMagRintraccia.Articolo = 'MAGLIA01' And MovMagRintraccia.GruppoCliFor = '40' And MovMagRintraccia.MastroCliFor = '10' And MovMagRintraccia.ContoCliFor = '000123' And (MovMagTes.MagazzinoProv = '01' OR MovMagTes.MagazzinoDest = '01') and not exists(select Anno from MovMagDettApp Where MovMagRintraccia.Anno = MovMagDettApp.Anno AND MovMagRintraccia.NumReg = MovMagDettApp.NumReg) Union SELECT 2 as tipoFile , Sum(iif(TipOpe='S' or (TipOpe='I' and MovMagTes.MagazzinoProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and MovMagTes.MagazzinoDest = '01'),Qta,0)) AS QtaCarico FROM MovMagRintracciaApp Inner Join MovMagTes ON MovMagTes.Anno = MovMagRintracciaApp.Anno AND MovMagTes.NumReg = MovMagRintracciaApp.NumReg Where MovMagRintracciaApp.Lotto = 'L2026A' And MovMagRintracciaApp.NrProgLotto = 1 And MovMagRintracciaApp.Articolo = 'MAGLIA01' And MovMagRintracciaApp.GruppoCliFor = '40' And MovMagRintracciaApp.MastroCliFor = '10' And MovMagRintracciaApp.ContoCliFor = '000123' And (MovMagTes.MagazzinoProv = '01' OR MovMagTes.MagazzinoDest = '01') Union Select 3 as tipoFile, Sum(iif(TipOpe='S' or (TipOpe='I' and DdtTest.MagazzProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and DdtTest.MagazzDest = '01'),Qta,0)) AS QtaCarico from DdtRintraccia Inner join DdtTest On DdtTest.Anno = DdtRintraccia.Anno and DdtTest.NumRif = DdtRintraccia.NumReg Where DdtRintraccia.Lotto = 'L2026A' And DdtRintraccia.NrProgLotto = 1 And DdtRintraccia.Articolo = 'MAGLIA01' And DdtRintraccia.GruppoCliFor = '40' And DdtRintraccia.MastroCliFor = '10' And DdtRintraccia.ContoCliFor = '000123' And (DdtTest.MagazzProv = '01' OR DdtTest.MagazzDest = '01') And isNull(DdtTest.Stato) and not exists(select Anno from DdtDettApp Where DdtRintraccia.Anno = DdtDettApp.Anno AND DdtRintraccia.NumReg = DdtDettApp.NumRif) Union Select 4 as tipoFile, Sum(iif(TipOpe='S' or (TipOpe='I' and DdtTest.MagazzProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and DdtTest.MagazzDest = '01'),Qta,0)) AS QtaCarico from DdtRintracciaApp Inner join DdtTest On DdtTest.Anno = DdtRintracciaApp.Anno and DdtTest.NumRif = DdtRintracciaApp.NumReg Where DdtRintracciaApp.Lotto = 'L2026A' And DdtRintracciaApp.NrProgLotto = 1 And DdtRintracciaApp.Articolo = 'MAGLIA01' And DdtRintracciaApp.GruppoCliFor = '40' And DdtRintracciaApp.MastroCliFor = '10' And DdtRintracciaApp.ContoCliFor = '000123' And (DdtTest.MagazzProv = '01' OR DdtTest.MagazzDest = '01') And isNull(DdtTest.Stato) AND (DdtRintracciaApp.anno <> 2026 Or DdtRintracciaApp.NumReg <> 1234 Or DdtRintracciaApp.RigLiv <> 5) Union Select 5 as tipoFile, Sum(Qta) AS QtaScarico, 0 AS QtaCarico from FattRintraccia Inner join FatTest On FatTest.Anno = FattRintraccia.Anno and FatTest.NumRif = FattRintraccia.NumReg Where FattRintraccia.Lotto = 'L2026A' And FattRintraccia.NrProgLotto = 1 And FattRintraccia.Articolo = 'MAGLIA01' And FattRintraccia.GruppoCliFor = '40' And FattRintraccia.MastroCliFor = '10' And FattRintraccia.ContoCliFor = '000123' And FattRintraccia.TipOpe = 'S' And FatTest.MagazzProv = '01' And isNull(FatTest.Stato) And Riepilogativa = 'N' and not exists(select Anno from FatDettApp Where FattRintraccia.Anno = FatDettApp.Anno AND FattRintraccia.NumReg = FatDettApp.NumRif) Union Select 6 as tipoFile, Sum(Qta) AS QtaScarico, 0 AS QtaCarico from FattRintracciaApp Inner join FatTest On FatTest.Anno = FattRintracciaApp.Anno and FatTest.NumRif = FattRintracciaApp.NumReg Where FattRintracciaApp.Lotto = 'L2026A' And FattRintracciaApp.NrProgLotto = 1 And FattRintracciaApp.Articolo = 'MAGLIA01' And FattRintracciaApp.GruppoCliFor = '40' And FattRintracciaApp.MastroCliFor = '10' And FattRintracciaApp.ContoCliFor = '000123' And FattRintracciaApp.TipOpe = 'S' And FatTest.MagazzProv = '01' And isNull(FatTest.Stato) And Riepilogativa = 'N'
;;
-- select-ro | CalcGiacLotto, variant B: psTipoFileDoc "d", whole DDT (AggStatoLottiModif): own-document clause in sub-query 3, exclusion without RigLiv in 4
SELECT 1 as tipoFile , Sum(iif(TipOpe='S' or (TipOpe='I' and MovMagTes.MagazzinoProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and MovMagTes.MagazzinoDest = '01'),Qta,0)) AS QtaCarico FROM MovMagRintraccia Inner Join MovMagTes ON MovMagTes.Anno = MovMagRintraccia.Anno AND MovMagTes.NumReg = MovMagRintraccia.NumReg Where MovMagRintraccia.Lotto = 'L2026A' And MovMagRintraccia.NrProgLotto = 1 And MovMagRintraccia.Articolo = 'MAGLIA01' And MovMagRintraccia.GruppoCliFor = '40' And MovMagRintraccia.MastroCliFor = '10' And MovMagRintraccia.ContoCliFor = '000123' And (MovMagTes.MagazzinoProv = '01' OR MovMagTes.MagazzinoDest = '01') and not exists(select Anno from MovMagDettApp Where MovMagRintraccia.Anno = MovMagDettApp.Anno AND MovMagRintraccia.NumReg = MovMagDettApp.NumReg) Union SELECT 2 as tipoFile , Sum(iif(TipOpe='S' or (TipOpe='I' and MovMagTes.MagazzinoProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and MovMagTes.MagazzinoDest = '01'),Qta,0)) AS QtaCarico FROM MovMagRintracciaApp Inner Join MovMagTes ON MovMagTes.Anno = MovMagRintracciaApp.Anno AND MovMagTes.NumReg = MovMagRintracciaApp.NumReg Where MovMagRintracciaApp.Lotto = 'L2026A' And MovMagRintracciaApp.NrProgLotto = 1 And MovMagRintracciaApp.Articolo = 'MAGLIA01' And MovMagRintracciaApp.GruppoCliFor = '40' And MovMagRintracciaApp.MastroCliFor = '10' And MovMagRintracciaApp.ContoCliFor = '000123' And (MovMagTes.MagazzinoProv = '01' OR MovMagTes.MagazzinoDest = '01') Union Select 3 as tipoFile, Sum(iif(TipOpe='S' or (TipOpe='I' and DdtTest.MagazzProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and DdtTest.MagazzDest = '01'),Qta,0)) AS QtaCarico from DdtRintraccia Inner join DdtTest On DdtTest.Anno = DdtRintraccia.Anno and DdtTest.NumRif = DdtRintraccia.NumReg Where DdtRintraccia.Lotto = 'L2026A' And DdtRintraccia.NrProgLotto = 1 And DdtRintraccia.Articolo = 'MAGLIA01' And DdtRintraccia.GruppoCliFor = '40' And DdtRintraccia.MastroCliFor = '10' And DdtRintraccia.ContoCliFor = '000123' And (DdtTest.MagazzProv = '01' OR DdtTest.MagazzDest = '01') And isNull(DdtTest.Stato) and not exists(select Anno from DdtDettApp Where DdtRintraccia.Anno = DdtDettApp.Anno AND DdtRintraccia.NumReg = DdtDettApp.NumRif AND (DdtDettApp.anno <> 2026 Or DdtDettApp.NumRif <> 1234)) Union Select 4 as tipoFile, Sum(iif(TipOpe='S' or (TipOpe='I' and DdtTest.MagazzProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and DdtTest.MagazzDest = '01'),Qta,0)) AS QtaCarico from DdtRintracciaApp Inner join DdtTest On DdtTest.Anno = DdtRintracciaApp.Anno and DdtTest.NumRif = DdtRintracciaApp.NumReg Where DdtRintracciaApp.Lotto = 'L2026A' And DdtRintracciaApp.NrProgLotto = 1 And DdtRintracciaApp.Articolo = 'MAGLIA01' And DdtRintracciaApp.GruppoCliFor = '40' And DdtRintracciaApp.MastroCliFor = '10' And DdtRintracciaApp.ContoCliFor = '000123' And (DdtTest.MagazzProv = '01' OR DdtTest.MagazzDest = '01') And isNull(DdtTest.Stato) AND (DdtRintracciaApp.anno <> 2026 Or DdtRintracciaApp.NumReg <> 1234) Union Select 5 as tipoFile, Sum(Qta) AS QtaScarico, 0 AS QtaCarico from FattRintraccia Inner join FatTest On FatTest.Anno = FattRintraccia.Anno and FatTest.NumRif = FattRintraccia.NumReg Where FattRintraccia.Lotto = 'L2026A' And FattRintraccia.NrProgLotto = 1 And FattRintraccia.Articolo = 'MAGLIA01' And FattRintraccia.GruppoCliFor = '40' And FattRintraccia.MastroCliFor = '10' And FattRintraccia.ContoCliFor = '000123' And FattRintraccia.TipOpe = 'S' And FatTest.MagazzProv = '01' And isNull(FatTest.Stato) And Riepilogativa = 'N' and not exists(select Anno from FatDettApp Where FattRintraccia.Anno = FatDettApp.Anno AND FattRintraccia.NumReg = FatDettApp.NumRif) Union Select 6 as tipoFile, Sum(Qta) AS QtaScarico, 0 AS QtaCarico from FattRintracciaApp Inner join FatTest On FatTest.Anno = FattRintracciaApp.Anno and FatTest.NumRif = FattRintracciaApp.NumReg Where FattRintracciaApp.Lotto = 'L2026A' And FattRintracciaApp.NrProgLotto = 1 And FattRintracciaApp.Articolo = 'MAGLIA01' And FattRintracciaApp.GruppoCliFor = '40' And FattRintracciaApp.MastroCliFor = '10' And FattRintracciaApp.ContoCliFor = '000123' And FattRintracciaApp.TipOpe = 'S' And FatTest.MagazzProv = '01' And isNull(FatTest.Stato) And Riepilogativa = 'N'
;;
-- select-ro | CalcGiacLotto, variant C: psTipoFileEscl "d", whole DDT (deletion check / state before DDT deletion): exclusion in sub-query 3
SELECT 1 as tipoFile , Sum(iif(TipOpe='S' or (TipOpe='I' and MovMagTes.MagazzinoProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and MovMagTes.MagazzinoDest = '01'),Qta,0)) AS QtaCarico FROM MovMagRintraccia Inner Join MovMagTes ON MovMagTes.Anno = MovMagRintraccia.Anno AND MovMagTes.NumReg = MovMagRintraccia.NumReg Where MovMagRintraccia.Lotto = 'L2026A' And MovMagRintraccia.NrProgLotto = 1 And MovMagRintraccia.Articolo = 'MAGLIA01' And MovMagRintraccia.GruppoCliFor = '40' And MovMagRintraccia.MastroCliFor = '10' And MovMagRintraccia.ContoCliFor = '000123' And (MovMagTes.MagazzinoProv = '01' OR MovMagTes.MagazzinoDest = '01') and not exists(select Anno from MovMagDettApp Where MovMagRintraccia.Anno = MovMagDettApp.Anno AND MovMagRintraccia.NumReg = MovMagDettApp.NumReg) Union SELECT 2 as tipoFile , Sum(iif(TipOpe='S' or (TipOpe='I' and MovMagTes.MagazzinoProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and MovMagTes.MagazzinoDest = '01'),Qta,0)) AS QtaCarico FROM MovMagRintracciaApp Inner Join MovMagTes ON MovMagTes.Anno = MovMagRintracciaApp.Anno AND MovMagTes.NumReg = MovMagRintracciaApp.NumReg Where MovMagRintracciaApp.Lotto = 'L2026A' And MovMagRintracciaApp.NrProgLotto = 1 And MovMagRintracciaApp.Articolo = 'MAGLIA01' And MovMagRintracciaApp.GruppoCliFor = '40' And MovMagRintracciaApp.MastroCliFor = '10' And MovMagRintracciaApp.ContoCliFor = '000123' And (MovMagTes.MagazzinoProv = '01' OR MovMagTes.MagazzinoDest = '01') Union Select 3 as tipoFile, Sum(iif(TipOpe='S' or (TipOpe='I' and DdtTest.MagazzProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and DdtTest.MagazzDest = '01'),Qta,0)) AS QtaCarico from DdtRintraccia Inner join DdtTest On DdtTest.Anno = DdtRintraccia.Anno and DdtTest.NumRif = DdtRintraccia.NumReg Where DdtRintraccia.Lotto = 'L2026A' And DdtRintraccia.NrProgLotto = 1 And DdtRintraccia.Articolo = 'MAGLIA01' And DdtRintraccia.GruppoCliFor = '40' And DdtRintraccia.MastroCliFor = '10' And DdtRintraccia.ContoCliFor = '000123' And (DdtTest.MagazzProv = '01' OR DdtTest.MagazzDest = '01') And isNull(DdtTest.Stato) AND (DdtRintraccia.anno <> 2026 Or DdtRintraccia.NumReg <> 1234) and not exists(select Anno from DdtDettApp Where DdtRintraccia.Anno = DdtDettApp.Anno AND DdtRintraccia.NumReg = DdtDettApp.NumRif) Union Select 4 as tipoFile, Sum(iif(TipOpe='S' or (TipOpe='I' and DdtTest.MagazzProv = '01'),Qta,0)) AS QtaScarico, Sum(iif(TipOpe='C' or (TipOpe='I' and DdtTest.MagazzDest = '01'),Qta,0)) AS QtaCarico from DdtRintracciaApp Inner join DdtTest On DdtTest.Anno = DdtRintracciaApp.Anno and DdtTest.NumRif = DdtRintracciaApp.NumReg Where DdtRintracciaApp.Lotto = 'L2026A' And DdtRintracciaApp.NrProgLotto = 1 And DdtRintracciaApp.Articolo = 'MAGLIA01' And DdtRintracciaApp.GruppoCliFor = '40' And DdtRintracciaApp.MastroCliFor = '10' And DdtRintracciaApp.ContoCliFor = '000123' And (DdtTest.MagazzProv = '01' OR DdtTest.MagazzDest = '01') And isNull(DdtTest.Stato) Union Select 5 as tipoFile, Sum(Qta) AS QtaScarico, 0 AS QtaCarico from FattRintraccia Inner join FatTest On FatTest.Anno = FattRintraccia.Anno and FatTest.NumRif = FattRintraccia.NumReg Where FattRintraccia.Lotto = 'L2026A' And FattRintraccia.NrProgLotto = 1 And FattRintraccia.Articolo = 'MAGLIA01' And FattRintraccia.GruppoCliFor = '40' And FattRintraccia.MastroCliFor = '10' And FattRintraccia.ContoCliFor = '000123' And FattRintraccia.TipOpe = 'S' And FatTest.MagazzProv = '01' And isNull(FatTest.Stato) And Riepilogativa = 'N' and not exists(select Anno from FatDettApp Where FattRintraccia.Anno = FatDettApp.Anno AND FattRintraccia.NumReg = FatDettApp.NumRif) Union Select 6 as tipoFile, Sum(Qta) AS QtaScarico, 0 AS QtaCarico from FattRintracciaApp Inner join FatTest On FatTest.Anno = FattRintracciaApp.Anno and FatTest.NumRif = FattRintracciaApp.NumReg Where FattRintracciaApp.Lotto = 'L2026A' And FattRintracciaApp.NrProgLotto = 1 And FattRintracciaApp.Articolo = 'MAGLIA01' And FattRintracciaApp.GruppoCliFor = '40' And FattRintracciaApp.MastroCliFor = '10' And FattRintracciaApp.ContoCliFor = '000123' And FattRintracciaApp.TipOpe = 'S' And FatTest.MagazzProv = '01' And isNull(FatTest.Stato) And Riepilogativa = 'N'
;;
-- select-ro | VerifCancLotti: lot rows of the whole DDT (header deletion, RigLiv -1); AggStatoLottiRighe (line 1499) has the same text
Select Articolo, GruppoCliFor, MastroCliFor, ContoCliFor ,Lotto, NrProgLotto from DdtRintraccia Where Anno = 2026 And NumReg = 1234
;;
-- select-ro | VerifCancLotti / AggStatoLottiRighe: lot rows of one line
Select Articolo, GruppoCliFor, MastroCliFor, ContoCliFor ,Lotto, NrProgLotto from DdtRintracciaApp Where Anno = 2026 And NumReg = 1234 And RigLiv = 5
;;
-- select-ro | AggStatoLotto: warehouses where the lot has rows, 8 branches joined by UNION
Select MovMagTes.MagazzinoProv as Magazzino FROM (MovMagTes INNER JOIN MovMagRintraccia ON MovMagTes.NumReg = MovMagRintraccia.NumReg AND MovMagTes.Anno = MovMagRintraccia.Anno) INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale WHERE MagCausali.Prov = 'M' And MovMagRintraccia.Lotto = 'L2026A' And MovMagRintraccia.NrProgLotto = 1 And MovMagRintraccia.Articolo = 'MAGLIA01' And MovMagRintraccia.GruppoCliFor = '40' And MovMagRintraccia.MastroCliFor = '10' And MovMagRintraccia.ContoCliFor = '000123' UNION Select MovMagTes.MagazzinoDest as Magazzino FROM (MovMagTes INNER JOIN MovMagRintraccia ON MovMagTes.NumReg = MovMagRintraccia.NumReg AND MovMagTes.Anno = MovMagRintraccia.Anno) INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale WHERE MagCausali.Dest = 'M' And MovMagRintraccia.Lotto = 'L2026A' And MovMagRintraccia.NrProgLotto = 1 And MovMagRintraccia.Articolo = 'MAGLIA01' And MovMagRintraccia.GruppoCliFor = '40' And MovMagRintraccia.MastroCliFor = '10' And MovMagRintraccia.ContoCliFor = '000123' UNION Select MovMagTes.MagazzinoProv as Magazzino FROM (MovMagTes INNER JOIN MovMagRintracciaApp ON MovMagTes.NumReg = MovMagRintracciaApp.NumReg AND MovMagTes.Anno = MovMagRintracciaApp.Anno) INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale WHERE MagCausali.Prov = 'M' And MovMagRintracciaApp.Lotto = 'L2026A' And MovMagRintracciaApp.NrProgLotto = 1 And MovMagRintracciaApp.Articolo = 'MAGLIA01' And MovMagRintracciaApp.GruppoCliFor = '40' And MovMagRintracciaApp.MastroCliFor = '10' And MovMagRintracciaApp.ContoCliFor = '000123' UNION Select MovMagTes.MagazzinoDest as Magazzino FROM (MovMagTes INNER JOIN MovMagRintracciaApp ON MovMagTes.NumReg = MovMagRintracciaApp.NumReg AND MovMagTes.Anno = MovMagRintracciaApp.Anno) INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale WHERE MagCausali.Dest = 'M' And MovMagRintracciaApp.Lotto = 'L2026A' And MovMagRintracciaApp.NrProgLotto = 1 And MovMagRintracciaApp.Articolo = 'MAGLIA01' And MovMagRintracciaApp.GruppoCliFor = '40' And MovMagRintracciaApp.MastroCliFor = '10' And MovMagRintracciaApp.ContoCliFor = '000123' UNION Select DdtTest.MagazzProv as Magazzino FROM (DdtTest INNER JOIN DdtRintraccia ON DdtTest.NumRif = DdtRintraccia.NumReg AND DdtTest.Anno = DdtRintraccia.Anno) WHERE DdtRintraccia.Lotto = 'L2026A' And DdtRintraccia.NrProgLotto = 1 And DdtRintraccia.Articolo = 'MAGLIA01' And DdtRintraccia.GruppoCliFor = '40' And DdtRintraccia.MastroCliFor = '10' And DdtRintraccia.ContoCliFor = '000123' UNION Select DdtTest.MagazzDest as Magazzino FROM (DdtTest INNER JOIN DdtRintraccia ON DdtTest.NumRif = DdtRintraccia.NumReg AND DdtTest.Anno = DdtRintraccia.Anno) WHERE DdtRintraccia.Lotto = 'L2026A' And DdtRintraccia.NrProgLotto = 1 And DdtRintraccia.Articolo = 'MAGLIA01' And DdtRintraccia.GruppoCliFor = '40' And DdtRintraccia.MastroCliFor = '10' And DdtRintraccia.ContoCliFor = '000123' And DdtRintraccia.TipOpe = 'I' UNION Select DdtTest.MagazzProv as Magazzino FROM (DdtTest INNER JOIN DdtRintracciaApp ON DdtTest.NumRif = DdtRintracciaApp.NumReg AND DdtTest.Anno = DdtRintracciaApp.Anno) WHERE DdtRintracciaApp.Lotto = 'L2026A' And DdtRintracciaApp.NrProgLotto = 1 And DdtRintracciaApp.Articolo = 'MAGLIA01' And DdtRintracciaApp.GruppoCliFor = '40' And DdtRintracciaApp.MastroCliFor = '10' And DdtRintracciaApp.ContoCliFor = '000123' UNION Select DdtTest.MagazzDest as Magazzino FROM (DdtTest INNER JOIN DdtRintracciaApp ON DdtTest.NumRif = DdtRintracciaApp.NumReg AND DdtTest.Anno = DdtRintracciaApp.Anno) WHERE DdtRintracciaApp.Lotto = 'L2026A' And DdtRintracciaApp.NrProgLotto = 1 And DdtRintracciaApp.Articolo = 'MAGLIA01' And DdtRintracciaApp.GruppoCliFor = '40' And DdtRintracciaApp.MastroCliFor = '10' And DdtRintracciaApp.ContoCliFor = '000123' And DdtRintracciaApp.TipOpe = 'I'
;;
-- action | ScriviStatoLotto: store the lot state, never touching a lot closed by hand
Update Lotti Set Chiuso = 'C' Where Articolo = 'MAGLIA01' And GruppoCliFor = '40' And MastroCliFor = '10' And ContoCliFor = '000123' And Lotto = 'L2026A' And NrProgLotto = 1 And Chiuso <> 'F'
;;
-- select-ro | CaricaLottiMod: every lot row of the document (committed; the same on DdtRintracciaApp)
Select * from DdtRintraccia Where Anno = 2026 And NumReg = 1234
;;
-- select-ro | NessunLottoRiga: does the line have lot rows
Select Anno as NumRec from DdtRintracciaApp WHERE Anno = 2026 AND NumReg = 1234 AND RigLiv = 5
;;
-- select-ro | CreaListaLottiSel: open lots of the article with owner name, expired lots left out
Select lotti.*, Pianoconti.Descrizione as RagSocForn from lotti Inner Join Pianoconti On Pianoconti.Gruppo = lotti.GruppoCliFor And Pianoconti.Mastro = lotti.MastroCliFor And Pianoconti.Conto = lotti.ContoCliFor Where Articolo = 'MAGLIA01' And Chiuso = 'A' And (isNull(DataScadenza) or DataScadenza >= #2026-12-10#)
;;
-- action | CreaListaLottiSel: insert of one listed lot (IdCampo as a text literal)
INSERT INTO AppoggioTemp(Utente,IdProgramma,IdCampo,Valorestringa,Valorenumero,Valoredata,AppoStringa0,AppoStringa1,AppoStringa2,AppoStringa3,AppoInte0,AppoDouble0,AppoData0) VALUES ('MARIO','LottiListaSelda','1','L2026A',0,#2027-06-30#,'MAGLIA01','40-10-000123','Lanificio dell''Adige Srl','Lotto dell''orto',1,25.5,#2026-03-01#)
;;
-- action | CreaListaLottiSel: insert of a lot without expiry and without production date (",Null")
INSERT INTO AppoggioTemp(Utente,IdProgramma,IdCampo,Valorestringa,Valorenumero,Valoredata,AppoStringa0,AppoStringa1,AppoStringa2,AppoStringa3,AppoInte0,AppoDouble0,AppoData0) VALUES ('MARIO','LottiListaSelda','2','L2026B',0,#9999-12-31#,'MAGLIA01','40-10-000123','Lanificio dell''Adige Srl','',2,10,Null)
;;
-- select-ro | CaricaLottiRiga: the line's lot rows with lot master and owner name
Select DdtRintracciaApp.*, Lotti.*, Pianoconti.Descrizione as RagForn From (DdtRintracciaApp Left Join Lotti ON Lotti.GruppoCliFor = DdtRintracciaApp.GruppoCliFor And Lotti.MastroCliFor = DdtRintracciaApp.MastroCliFor And Lotti.ContoCliFor = DdtRintracciaApp.ContoCliFor And Lotti.Articolo = DdtRintracciaApp.Articolo And Lotti.Lotto = DdtRintracciaApp.Lotto And Lotti.NrProgLotto = DdtRintracciaApp.NrProgLotto) Left Join Pianoconti On Pianoconti.Gruppo = DdtRintracciaApp.GruppoCliFor And Pianoconti.Mastro = DdtRintracciaApp.MastroCliFor And Pianoconti.Conto = DdtRintracciaApp.ContoCliFor Where Anno = 2026 AND NumReg = 1234 AND RigLiv = 5
;;
-- select-upd | CaricaLottiRiga: the list row of one lot (edited, or added through the recordset)
Select * From AppoggioTemp WHERE Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda' AND Valorestringa = 'L2026A' AND AppoInte0 = 1 AND AppoStringa0 = 'MAGLIA01' AND AppoStringa1 = '40-10-000123'
;;
-- select-upd | RipartQtaLotti: list in date order (settings "D")
Select Valorenumero, AppoDouble0 From AppoggioTemp WHERE Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda' Order by Valoredata, AppoData0, AppoDouble0
;;
-- select-upd | RipartQtaLotti: list in quantity order ("Q")
Select Valorenumero, AppoDouble0 From AppoggioTemp WHERE Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda' Order by AppoDouble0, Valoredata, AppoData0
;;
-- select-upd | ScriviLottiSel: the chosen lots
Select * From AppoggioTemp WHERE Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda' AND Valorenumero > 0
;;
-- select-upd | ScriviLottiSel: the line's lot rows, deleted one by one through the recordset
Select * from DdtRintracciaApp Where Anno = 2026 AND NumReg = 1234 AND RigLiv = 5
;;
-- action | ScriviLottiSel: insert of one chosen lot row
INSERT INTO DdtRintracciaApp(Anno,NumReg,RigLiv,Articolo,GruppoCliFor,MastroCliFor,ContoCliFor,Lotto,NrProgLotto,Qta,TipOpe) VALUES (2026,1234,5,'MAGLIA01','40','10','000123','L2026A',1,12.5,'S')
;;
-- select-upd | ImpostaGriglia: the list bound to the grid (updatable)
Select AppoStringa1, AppoStringa2,Valorestringa, AppoInte0,AppoStringa3, AppoDouble0, Valorenumero,Valoredata, AppoData0, AppoStringa4 FROM AppoggioTemp Where Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda' Order by Valoredata, AppoData0, AppoDouble0
;;
-- select-ro | ImpostaGriglia: chosen total
Select sum(Valorenumero) as TotQta FROM AppoggioTemp Where Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda'
;;
-- action | Svuota: clear the chosen quantities
Update AppoggioTemp set Valorenumero = 0 WHERE Utente = 'MARIO' AND IdProgramma = 'LottiListaSelda'
;;
-- select-ro | F2 look-up kind "Lotti" on field 30, unload, owner filled: text gives the filter; "Select * From Lotti Where" is our wrapper (look-up library)
Select * From Lotti Where Articolo = 'MAGLIA01' And Chiuso = 'A' And GruppoCliFor = '40' And MastroCliFor = '10' And ContoCliFor = '000123'
;;
-- select-ro | F2 look-up kind "TabDecod" on fields 80-110: text gives the filter; wrapper is ours
Select * From TabDecod Where Chiave = 'T'
;;
-- select-ro | ComGenera, fullest: prefix 'AB' typed, width 4, per article (isnumeric, mid, len, like with *)
Select top 1 Lotto from Lotti Where isnumeric(mid(Lotto,3)) <> 0 and len(Lotto) = 6 And Lotto like 'AB*' And GruppoCliFor = '40' And MastroCliFor = '10' And ContoCliFor = '000123' And articolo = 'MAGLIA01' Order By Lotto desc
;;
-- select-ro | ComGenera, plain: no prefix, width 0, not per article
Select top 1 Lotto from Lotti Where isnumeric(mid(Lotto,1)) <> 0 And GruppoCliFor = '40' And MastroCliFor = '10' And ContoCliFor = '000123' Order By Lotto desc
;;
-- select-ro | after-hook 8: quantity already covered by the line's lot rows (QtaDiversa, line 2766, same text)
Select sum(qta) as TotQta from DdtRintracciaApp WHERE Anno = 2026 AND NumReg = 1234 AND RigLiv = 5
;;
-- select-upd | PrepSql: grid query of the traceability window (the page edits rows through it)
Select DdtRintracciaApp.Anno, DdtRintracciaApp.NumReg, DdtRintracciaApp.RigLiv, DdtRintracciaApp.Lotto, DdtRintracciaApp.NrProgLotto as Nr, DdtRintracciaApp.Qta, Lotti.Descrizione as Descriz, Lotti.DataScadenza as DataScad, (DdtRintracciaApp.GruppoCliFor & '-' & DdtRintracciaApp.MastroCliFor & '-' & DdtRintracciaApp.ContoCliFor) as Fornitore, Pianoconti.Descrizione as Ragione_Sociale, DdtRintracciaApp.Articolo, DdtRintracciaApp.GruppoCliFor, DdtRintracciaApp.MastroCliFor, DdtRintracciaApp.ContoCliFor, DdtRintracciaApp.DataReg, DdtRintracciaApp.TipOpe, DdtRintracciaApp.ArticoloProd, (DdtRintracciaApp.GruppoProd & '-' & DdtRintracciaApp.MastroProd & '-' & DdtRintracciaApp.ContoProd) as Fornitore_Prod, DdtRintracciaApp.GruppoProd, DdtRintracciaApp.MastroProd, DdtRintracciaApp.ContoProd, DdtRintracciaApp.LottoProd, DdtRintracciaApp.NrProgLottoProd as NrProd FROM (DdtRintracciaApp LEFT JOIN Lotti ON Lotti.GruppoCliFor = DdtRintracciaApp.GruppoCliFor And Lotti.MastroCliFor = DdtRintracciaApp.MastroCliFor And Lotti.ContoCliFor = DdtRintracciaApp.ContoCliFor And Lotti.Articolo = DdtRintracciaApp.Articolo And Lotti.Lotto = DdtRintracciaApp.Lotto And Lotti.NrProgLotto = DdtRintracciaApp.NrProgLotto) Left Join Pianoconti On Pianoconti.Gruppo = DdtRintracciaApp.GruppoCliFor And Pianoconti.Mastro = DdtRintracciaApp.MastroCliFor And Pianoconti.Conto = DdtRintracciaApp.ContoCliFor where DdtRintracciaApp.Anno = 2026 AND DdtRintracciaApp.NumReg = 1234 AND DdtRintracciaApp.RigLiv = 5 Order BY DdtRintracciaApp.Lotto, DdtRintracciaApp.NrProgLotto
;;
-- action | AziendaUtil.SvuotaAppoggioTemp: empty the user's scratch list (values as used by , :2542; also "daLottiListaSel" by UtilLotto.PrepListaLotti)
DELETE FROM AppoggioTemp WHERE Utente = 'MARIO' AND IdProgramma = 'DDT-CercaPartLot'
;;
-- action | frmDDTDett.SpostaRighe: shift line numbers up, fullest variant with optional CopiaTaglia clause (value kind not stated)
Update DdtDettApp Set RigDet = RigDet + 20000 where Anno = 2026 AND NumRif = 15 AND RigDet >= 4 AND CopiaTaglia = 0
;;
-- action | frmDDTDett.SpostaRighe as called by the batch/lot split (psCampo RigDet, plSpostatmp 20000, piNumRecIni a+1, no CopiaTaglia)
Update DdtDettApp Set RigDet = RigDet + 20000 where Anno = 2026 AND NumRif = 15 AND RigDet >= 4
;;
-- action | UtilLotto.CalcStatoLotto: write re-evaluated lot state, never over "F" (as called by )
Update Lotti Set Chiuso = 'C' Where Articolo = 'ART001' And GruppoCliFor = '04' And MastroCliFor = '01' And ContoCliFor = '0012' And Lotto = 'L2026/001' And NrProgLotto = 2 And Chiuso <> 'F'
;;
-- select-ro | frmMovTracc.DecodLotto: lot decode by AziendaUtil.DecodCodice kind "Lotti" (code Lotto, descr Descrizione); WHERE filter text exact (all optional pieces on), the surrounding SELECT is built by the look-up library - approx
Select * from Lotti Where Lotto = 'L2026/001' And Articolo = 'ART001' And Chiuso = 'A' And GruppoCliFor = '04' And MastroCliFor = '01' And ContoCliFor = '0012' And NrProgLotto = 2
;;
-- select-ro | frmMovTracc.DecodLotto origin load of a lot (T = osFileTracc = DdtRintraccia)
SELECT MovMagTes.Anno, MovMagTes.NumReg, MovMagTes.DataReg, MovMagTes.PreDoc, MovMagTes.NumDoc, MovMagTes.DataDoc FROM MovMagTes INNER JOIN DdtRintraccia ON MovMagTes.NumReg = DdtRintraccia.NumReg AND (MovMagTes.Anno = DdtRintraccia.Anno) Where DdtRintraccia.Articolo = 'ART001' And DdtRintraccia.GruppoCliFor = '04' And DdtRintraccia.MastroCliFor = '01' And DdtRintraccia.ContoCliFor = '0012' And DdtRintraccia.Lotto = 'L2026/001' And DdtRintraccia.NrProgLotto = 2 And DdtRintraccia.TipOpe = 'C'
;;
-- select-ro | origin load, variant with supplier field and progressive empty (empty texts and Integer literal of empty field; text edge case :398)
SELECT MovMagTes.Anno, MovMagTes.NumReg, MovMagTes.DataReg, MovMagTes.PreDoc, MovMagTes.NumDoc, MovMagTes.DataDoc FROM MovMagTes INNER JOIN DdtRintraccia ON MovMagTes.NumReg = DdtRintraccia.NumReg AND (MovMagTes.Anno = DdtRintraccia.Anno) Where DdtRintraccia.Articolo = 'ART001' And DdtRintraccia.GruppoCliFor = '' And DdtRintraccia.MastroCliFor = '' And DdtRintraccia.ContoCliFor = '' And DdtRintraccia.Lotto = 'L2026/001' And DdtRintraccia.NrProgLotto = Null And DdtRintraccia.TipOpe = 'C'
;;
-- select-ro | frmMovTracc.VerifCarLotto, fullest (pbAggNum False, page state 1)
Select NrProgLotto from DdtRintraccia Where Lotto = 'L2026/001' and TipOpe = 'C' and NrProgLotto = 2 and (anno <> 2026 or NumReg <> 15) Union Select NrProgLotto from DdtRintracciaApp Where Lotto = 'L2026/001' and TipOpe = 'C' and (anno <> 2026 or NumReg <> 15 or RigLiv <> 3) order by NrProgLotto
;;
-- select-ro | frmMovTracc.VerifCarLotto, plain (pbAggNum True, new row state 2)
Select NrProgLotto from DdtRintraccia Where Lotto = 'L2026/001' and TipOpe = 'C' and (anno <> 2026 or NumReg <> 15) Union Select NrProgLotto from DdtRintracciaApp Where Lotto = 'L2026/001' and TipOpe = 'C' order by NrProgLotto
;;
-- action | frmMovTracc.SalvaLotto UPDATE of the lot master (existing row, page state 1)
Update Lotti Set Descrizione = 'Mele dell''Alto Adige', DataScadenza = #2027-06-30#, Categoria = 'C1', Trattamento = 'T1', Confezione = 'Z1', Specie = 'S1', DataProduzione = #2026-12-10# Where Articolo = 'ART001' And GruppoCliFor = '04' And MastroCliFor = '01' And ContoCliFor = '0012' And Lotto = 'L2026/001' And NrProgLotto = 2
;;
-- action | frmMovTracc.SalvaLotto INSERT of a new lot (Chiuso "A")
Insert INTO Lotti (Lotto, NrProgLotto, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, DataScadenza, Descrizione, Categoria, Trattamento, Confezione, Specie, DataProduzione, Chiuso) Values ( 'L2026/001', 2, 'ART001', '04', '01', '0012', #2027-06-30#, 'Mele dell''Alto Adige', 'C1', 'T1', 'Z1', 'S1', #2026-12-10#, 'A')
;;
-- action | SalvaLotto INSERT, variant with empty expiry, description and codes (empty-value literals, edge case :568)
Insert INTO Lotti (Lotto, NrProgLotto, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, DataScadenza, Descrizione, Categoria, Trattamento, Confezione, Specie, DataProduzione, Chiuso) Values ( 'L2026/002', 1, 'ART001', '04', '01', '0012', Null, '', '', '', '', '', #2026-12-10#, 'A')
;;
-- select-upd | frmMovTracc.LottoUsato: re-find lot after duplicate key, then edit Descrizione, DataScadenza, Categoria..Specie (note lower-case "and NrProgLotto")
Select * from Lotti Where Articolo = 'ART001' And GruppoCliFor = '04' And MastroCliFor = '01' And ContoCliFor = '0012' And Lotto = 'L2026/001' and NrProgLotto = 2
;;
-- select-ro | FrmEleLottiForn.CaricaLista: open lots of the supplier (grid list)
SELECT Articolo, Lotto, NrProgLotto, DataScadenza, Descrizione FROM Lotti Where Lotti.GruppoCliFor = '04' AND Lotti.MastroCliFor = '01' AND Lotti.ContoCliFor = '0012' AND Lotti.Chiuso = 'A' ORDER BY Articolo, Lotto, NrProgLotto
;;
-- select-upd | FrmEleLottiForn.ComDuplica target lot of the current article (edited, or receives CopiaRecord; Articolo and Chiuso written); the source (:906) is the same shape with the grid row's article
SELECT * FROM Lotti Where Lotti.GruppoCliFor = '04' AND Lotti.MastroCliFor = '01' AND Lotti.ContoCliFor = '0012' AND Lotti.Articolo = 'ART001' AND Lotti.Lotto = 'L2026/001' AND Lotti.NrProgLotto = 2
;;
-- select-upd | frmDDTDett.MatrRigLiv lines of an article with their serial count (plRigLiv -1 branch); note space before comma after ".Qta"
Select DdtDettApp.RigLiv, DdtDettApp.Qta , DdtDettApp.FatCon, DdtDettApp.ValUnitario, DdtDettApp.ValTotale, DdtDettApp.ScontoTot, (SELECT count(*) From DdtMatrApp WHERE DdtMatrApp.Anno=DdtDettApp.Anno AND DdtMatrApp.NumRif=DdtDettApp.NumRif AND DdtMatrApp.RigLiv=DdtDettApp.RigLiv) as TotMatr from DdtDettApp Where Anno = 2026 and NumRif = 15 and Articolo = 'ART001' Order by RigDet Desc
;;
-- select-upd | frmDDTDett.MatrRigLiv, branch with a given line (plRigLiv not -1)
Select DdtDettApp.RigLiv, DdtDettApp.Qta , DdtDettApp.FatCon, DdtDettApp.ValUnitario, DdtDettApp.ValTotale, DdtDettApp.ScontoTot, (SELECT count(*) From DdtMatrApp WHERE DdtMatrApp.Anno=DdtDettApp.Anno AND DdtMatrApp.NumRif=DdtDettApp.NumRif AND DdtMatrApp.RigLiv=DdtDettApp.RigLiv) as TotMatr from DdtDettApp Where Anno = 2026 and NumRif = 15 and RigLiv = 3 Order by RigDet Desc
;;
-- action | frmDDTDett.MatrIns insert serial into working serials (note blank after "Values (")
Insert into DdtMatrApp (Anno, NumRif, RigLiv, Matricola, TipOpe) Values ( 2026, 15, 3, 'SN123456', 'S')
;;
-- select-upd | frmDDTDett.MatrIns count of the line's serials (opened as dynaset, type 2, on an aggregate)
Select count(*) as TotMat from DdtMatrApp Where Anno = 2026 and NumRif = 15 and RigLiv = 3
;;
-- action | frmDDTDett.MatrIns raise line quantity, ValUnitario <> 0 branch (amount, lira, euro recomputed)
Update DdtDettApp set Qta = 3, ValTotale = 36.6, ValLire = 70867, ValEuro = 36.6 Where Anno = 2026 and NumRif = 15 and RigLiv = 3
;;
-- action | frmDDTDett.MatrIns raise line quantity, ValUnitario = 0 branch (unit price recomputed from amount)
Update DdtDettApp set Qta = 3, ValUnitario = 33.3333 Where Anno = 2026 and NumRif = 15 and RigLiv = 3
;;
-- select-ro | frmDDTDett.MatrTipoCod serial movement history, newest first
SELECT MovMagDett.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2, MovMagMatr.TipOpe, MovMagTes.DataReg, MovMagDett.Anno, MovMagDett.NumReg, MovMagDett.RigLiv FROM ((MovMagMatr INNER JOIN MovMagDett ON MovMagMatr.RigLiv = MovMagDett.RigLiv AND MovMagMatr.NumReg = MovMagDett.NumReg AND MovMagMatr.Anno = MovMagDett.Anno) INNER JOIN MovMagTes ON MovMagDett.NumReg = MovMagTes.NumReg AND MovMagDett.Anno = MovMagTes.Anno) INNER JOIN Articoli ON Articoli.Articolo = MovMagDett.Articolo Where MovMagMatr.Matricola = 'SN123456' ORDER BY MovMagTes.DataReg DESC, MovMagDett.NumReg DESC
;;
-- select-upd | frmDDTDett.ArtUltRiga article of the line added last (dynaset on a join; unqualified Anno/NumRif/RigLiv)
Select DdtDettApp.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2 from DdtDettApp INNER JOIN Articoli ON Articoli.Articolo = DdtDettApp.Articolo Where Anno = 2026 and NumRif = 15 and RigLiv = 7
;;
-- select-upd | frmDdtMatr.TabellaStd osSql: serial rows of one line, bound editable grid via ComandiLista (rows added/changed/deleted; Anno, NumRif, RigLiv, TipOpe written on update, :1980)
SELECT DdtMatrApp.Anno, DdtMatrApp.NumRif, DdtMatrApp.RigLiv, DdtMatrApp.Matricola, DdtMatrApp.TipOpe FROM DdtMatrApp WHERE DdtMatrApp.anno = 2026 and DdtMatrApp.NumRif = 15 and DdtMatrApp.RigLiv = 3
;;
-- select-ro | frmDdtMatr.CercaAltroArt serial registered under another article
SELECT MovMagDett.Articolo FROM MovMagMatr INNER JOIN MovMagDett ON MovMagMatr.RigLiv = MovMagDett.RigLiv AND MovMagMatr.NumReg = MovMagDett.NumReg AND MovMagMatr.Anno = MovMagDett.Anno Where MovMagMatr.Matricola = 'SN123456' and MovMagDett.Articolo <> 'ART001'
;;
-- select-ro | frmDdtMatr.CercaStati previous and next movement: derived table over UNION of two TOP 1 ... ORDER BY branches; fields then read as "MovMagTes.DataReg", "MovMagMatr.TipOpe", "MovMagTes.NumReg"
Select * from (SELECT TOP 1 '1' as PrecSucc, MovMagDett.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2, MovMagMatr.TipOpe, MovMagTes.DataReg, MovMagDett.Anno, MovMagDett.NumReg, MovMagDett.RigLiv FROM ((MovMagMatr INNER JOIN MovMagDett ON MovMagMatr.RigLiv = MovMagDett.RigLiv AND MovMagMatr.NumReg = MovMagDett.NumReg AND MovMagMatr.Anno = MovMagDett.Anno) INNER JOIN MovMagTes ON MovMagDett.NumReg = MovMagTes.NumReg AND MovMagDett.Anno = MovMagTes.Anno) INNER JOIN Articoli ON Articoli.Articolo = MovMagDett.Articolo Where MovMagMatr.Matricola = 'SN123456' AND MovMagDett.Articolo = 'ART001' AND MovMagTes.DataReg <= #2026-12-10# ORDER BY MovMagTes.DataReg desc, MovMagDett.NumReg desc UNION SELECT TOP 1 '2' as PrecSucc, MovMagDett.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2, MovMagMatr.TipOpe, MovMagTes.DataReg, MovMagDett.Anno, MovMagDett.NumReg, MovMagDett.RigLiv FROM ((MovMagMatr INNER JOIN MovMagDett ON MovMagMatr.RigLiv = MovMagDett.RigLiv AND MovMagMatr.NumReg = MovMagDett.NumReg AND MovMagMatr.Anno = MovMagDett.Anno) INNER JOIN MovMagTes ON MovMagDett.NumReg = MovMagTes.NumReg AND MovMagDett.Anno = MovMagTes.Anno) INNER JOIN Articoli ON Articoli.Articolo = MovMagDett.Articolo Where MovMagMatr.Matricola = 'SN123456' AND MovMagDett.Articolo = 'ART001' AND MovMagTes.DataReg > #2026-12-10# ORDER BY MovMagTes.DataReg, MovMagDett.NumReg) as xx order by 1
;;
-- select-ro | frmCercaMatr.PrepSql compatible serials, fullest: operation "C" (previous set 'F', next set 'SIF', UNION branch for serials without earlier movement)
SELECT MovMagMatr.matricola, MovMagTes.DataReg & ' - ' & MovMagMatr.TipOpe as Precedente, (SELECT top 1 Tes1.DataReg & ' - ' & Matr1.TipOpe FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg > #2026-12-10# order by Tes1.DataReg , Dett1.NumReg ) as Successivo FROM ((MovMagMatr INNER JOIN MovMagDett ON MovMagMatr.RigLiv = MovMagDett.RigLiv AND MovMagMatr.NumReg = MovMagDett.NumReg AND MovMagMatr.Anno = MovMagDett.Anno) INNER JOIN MovMagTes ON MovMagDett.NumReg = MovMagTes.NumReg AND MovMagDett.Anno = MovMagTes.Anno) Where MovMagDett.Articolo = 'ART001' and MovMagMatr.Anno & '-' & MovMagMatr.NumReg & '-' & MovMagMatr.RigLiv = (SELECT top 1 Dett1.Anno & '-' & Dett1.NumReg & '-' & Dett1.RigLiv FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg <= #2026-12-10# order by Tes1.DataReg desc, Dett1.NumReg desc) And 'F' like '*' & MovMagMatr.TipOpe & '*' And 'SIF' like '*' & (SELECT top 1 Matr1.TipOpe FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg > #2026-12-10# order by Tes1.DataReg , Dett1.NumReg ) & '*' UNION (SELECT MovMagMatr.matricola, '' as Precedente, MovMagTes.DataReg & ' - ' & MovMagMatr.TipOpe as Successivo FROM ((MovMagMatr INNER JOIN MovMagDett ON MovMagMatr.RigLiv = MovMagDett.RigLiv AND MovMagMatr.NumReg = MovMagDett.NumReg AND MovMagMatr.Anno = MovMagDett.Anno) INNER JOIN MovMagTes ON MovMagDett.NumReg = MovMagTes.NumReg AND MovMagDett.Anno = MovMagTes.Anno) Where MovMagDett.Articolo = 'ART001' and MovMagMatr.Anno & '-' & MovMagMatr.NumReg & '-' & MovMagMatr.RigLiv = (SELECT top 1 Dett1.Anno & '-' & Dett1.NumReg & '-' & Dett1.RigLiv FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg > #2026-12-10# order by Tes1.DataReg, Dett1.NumReg) and not Exists (SELECT top 1 Dett1.Anno & '-' & Dett1.NumReg & '-' & Dett1.RigLiv FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg <= #2026-12-10#) And 'SIF' like '*' & MovMagMatr.TipOpe & '*')Order by MovMagMatr.matricola
;;
-- select-ro | frmCercaMatr.PrepSql, plain: operation "S" with MatrGuastoNoScar "S" (previous set 'CIR', next set 'GR', no UNION)
SELECT MovMagMatr.matricola, MovMagTes.DataReg & ' - ' & MovMagMatr.TipOpe as Precedente, (SELECT top 1 Tes1.DataReg & ' - ' & Matr1.TipOpe FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg > #2026-12-10# order by Tes1.DataReg , Dett1.NumReg ) as Successivo FROM ((MovMagMatr INNER JOIN MovMagDett ON MovMagMatr.RigLiv = MovMagDett.RigLiv AND MovMagMatr.NumReg = MovMagDett.NumReg AND MovMagMatr.Anno = MovMagDett.Anno) INNER JOIN MovMagTes ON MovMagDett.NumReg = MovMagTes.NumReg AND MovMagDett.Anno = MovMagTes.Anno) Where MovMagDett.Articolo = 'ART001' and MovMagMatr.Anno & '-' & MovMagMatr.NumReg & '-' & MovMagMatr.RigLiv = (SELECT top 1 Dett1.Anno & '-' & Dett1.NumReg & '-' & Dett1.RigLiv FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg <= #2026-12-10# order by Tes1.DataReg desc, Dett1.NumReg desc) And 'CIR' like '*' & MovMagMatr.TipOpe & '*' And 'GR' like '*' & (SELECT top 1 Matr1.TipOpe FROM (MovMagMatr as Matr1 INNER JOIN MovMagDett as Dett1 ON Matr1.RigLiv = Dett1.RigLiv AND Matr1.NumReg = Dett1.NumReg AND Matr1.Anno = Dett1.Anno) INNER JOIN MovMagTes as Tes1 ON Dett1.NumReg = Tes1.NumReg AND Dett1.Anno = Tes1.Anno Where Matr1.Matricola = MovMagMatr.Matricola AND Dett1.Articolo = MovMagDett.Articolo AND tes1.DataReg > #2026-12-10# order by Tes1.DataReg , Dett1.NumReg ) & '*'Order by MovMagMatr.matricola
;;
-- action | frmCercaMatr.comOk_Click insert chosen serial (osNomeTabIns DdtMatrApp, osNomeRegRif NumRif; note "( Anno")
Insert INTO DdtMatrApp ( Anno, NumRif, RigLiv, Matricola, TipOpe) Values ( 2026, 15, 3, 'SN123456', 'C')
;;
-- select-upd | frmDDTDett.AddPartLotti empty dynaset that receives the new lines (CopiaRecord target; RigDet, RigLiv and row columns written)
Select * From DdtDettApp Where Anno = -1
;;
-- select-upd | frmDDTDett.AddPartLotti current line, edited as row 1 (Qta, Colli, ValTotale, ValLire, ValEuro, DescPers1, DescPers3, QtaProv, *Prov columns)
Select * From DdtDettApp where Anno = 2026 AND NumRif = 15 AND RigDet = 3
;;
-- select-ro | frmLisPartLot.ImpostaGriglia batch/lot pairs loaded into the DDT's warehouse (note "MagazzinoDest=" without blanks)
Select MovMagDett.DescPers1, MovMagDett.DescPers3 FROM (MovMagTes INNER JOIN MagCausali ON MovMagTes.MagCausale = MagCausali.MagCausale) INNER JOIN MovMagDett ON MovMagTes.Anno = MovMagDett.Anno AND MovMagTes.NumReg = MovMagDett.NumReg WHERE MovMagTes.MagazzinoDest='01' AND MovMagTes.Anno = 2026 AND MovMagDett.Articolo = 'ART001' group by MovMagDett.DescPers1, MovMagDett.DescPers3 order by MovMagDett.DescPers1, MovMagDett.DescPers3
;;
-- action | frmLisPartLot.ImpostaGriglia scratch row per pair (IdCampo counter passed as text literal; no blanks in lists)
INSERT INTO AppoggioTemp(Utente,IdProgramma,IdCampo,Valorestringa,AppoStringa0) VALUES ('MARIO','DDT-CercaPartLot','1','B-2026/07','L2026/001')
;;
-- select-upd | frmLisPartLot.ImpostaGriglia list shown in the grid (dynaset, columns locked)
Select Valorestringa as Partita, AppoStringa0 as Lotto FROM AppoggioTemp Where Utente = 'MARIO' AND IdProgramma = 'DDT-CercaPartLot' Order by Valorestringa, AppoStringa0
;;
-- select-ro | frmDDTDett.DecArtDaCodBar article by barcode (pbCercaCodBarre True; also :232 , used by serial classification)
Select * from Articoli Where BarCode = '8001234567897'
;;
-- select-ro | frmDDTDett.DecArtDaCodBar article by code (pbCercaCodBarre False; code = AddArtPrima & code & AddArtDopo)
Select * from Articoli Where Articolo = 'ART001'
;;
-- select-upd | AggRigaRAEE eco-fee line of the article line, then edited (Qta, ValTotale, ValLire, ValEuro; ValUnitario read)
Select * from DdtDettApp where Anno = 2026 AND NumRif = 15 AND RigLiv = 8 AND Articolo = 'RAEE01'
;;
-- action | CancRigaRAEE delete the old eco-fee line
Delete from DdtDettApp where Anno = 2026 AND NumRif = 15 AND RigLiv = 8 AND Articolo = 'RAEE01'
;;
-- action | DopoInsVarRigaRAEE write the link RigLivRAEE into the article line (lower-case "anno")
Update DdtDettApp Set RigLivRAEE = 9 where anno = 2026 AND NumRif = 15 AND RigDet = 3
;;
-- select-ro | LeggiFileDaOrdi supplier record and reorder file of an article (LEFT JOIN on three columns; table 0Rad_FileDaOrdi bracketed except after LEFT JOIN)
SELECT Articoli.ScortaMinima, Articoli.Descrizione, [0Rad_FileDaOrdi].File FROM Articoli LEFT JOIN 0Rad_FileDaOrdi ON Articoli.ContoForAb = [0Rad_FileDaOrdi].ContoFor AND Articoli.MastroForAb = [0Rad_FileDaOrdi].MastroFor AND Articoli.GruppoForAb = [0Rad_FileDaOrdi].GruppoFor Where Articoli.Articolo = 'ART001'
;;
-- select-ro | AggDaOrdi minimum stock through AiutiDecodifica.CercaValore (table ArtScorte, key Articolo, field ScortaMinima, extra condition exact; the SELECT itself is built by the look-up library - approx; "~ç~" = no level)
Select ScortaMinima from ArtScorte Where Articolo = 'ART001' And Magazzino = '01' And Livello1 = '~ç~' And Livello2 = '~ç~'
;;
-- select-ro | BarCode.CercaArtCodBar variant article by stored barcode candidate (EAN-8 candidate of worked example)
Select Articolo, Descrizione, LivGruppo1, LivGruppo2 From Articoli Where BarCode = '12345670' And not LivGruppo1 Is Null
;;
-- select-ro | ZelCodBar.DecLivDaCodBar level group (LunCodBarre read)
Select * from LivGruppi Where LivGruppo = 'TAGLIE'
;;
-- select-ro | ZelCodBar.DecLivDaCodBar level of the group by its barcode part (unqualified LivBarCode; note "LivGruppo =" glued to literal)
SELECT Livelli.* FROM Livelli INNER JOIN LivComp ON Livelli.Livello = LivComp.Livello WHERE LivComp.LivGruppo ='TAGLIE' And LivBarCode = '01'
;;
