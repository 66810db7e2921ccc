// The joined read of a stored DDT: one query of the header with every coded
// table it names, from whose one row the window takes its descriptions, the
// attributes of the document type, its warehouse cause, the price list and
// the customer that later operations use, and the transport texts.
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"

namespace {

constexpr long kRosso = 0x0000FF;  // &H000000FF&
constexpr long kBlu = 0xFF0000;    // &H00FF0000&

// A value as a label shows it: Null and Empty as nothing, anything else in
// its default text form.
std::string Testo(const vb::Variant& v) { return v.IsNull() || v.IsEmpty() ? std::string() : v.ToString(); }

bool Si(std::string_view v) { return vb::UgualeTesto(v, "S"); }

}  // namespace

bool frmDdtTest::VerifClasseRegConf() {
  if (mbClasseRegConfVerif) return !msClasseRegConf.empty();
  mbClasseRegConfVerif = true;
  if (vb::FunzioniComuni::Istanza().Vuoto(msClasseRegConf, vb::vbString)) {
    msClasseRegConf.clear();
    return false;
  }
  // The suffix goes into the select list as part of a column name: only a
  // column the customer table really has may get there.
  const std::string colonna = "PdcClasseAttr" + msClasseRegConf;
  bool buona = !msClasseRegConf.empty();
  for (char c : msClasseRegConf)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') buona = false;
  if (buona) buona = AziendaUtil::EsisteCampo("PianoConti", colonna);
  if (!buona) {
    frmMsgCom::msgCom("Impostazione personale \"ClasseRegConf\" non valida: l'anagrafica clienti non ha la colonna \"" +
                          colonna + "\".\r\nL'impostazione viene ignorata.",
                      "&Ok");
    msClasseRegConf.clear();
  }
  return buona;
}

void frmDdtTest::MostraTutto() {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string T = G().gsTabTest;
  const bool classe = VerifClasseRegConf();
  const std::string colClasse = "PianoConti.PdcClasseAttr" + msClasseRegConf;

  // ---- the query
  std::string sql =
      "Select FattDocumenti.Descrizione, FattDocumenti.MagCausale, FattDocumenti.DoveStampoDesLung, "
      "FattDocumenti.PrezzoDDT, FattDocumenti.Listino, FattDocumenti.TabSconti, FattDocumenti.MagCausaleRientro, "
      "FattDocumenti.Segno, PianoConti.Pagamento, PianoConti.Pagamento2, FattDocumenti.RegimeMargine, "
      "FattDocumenti.Interno, PianoConti.RagSoc, MagCausali.QualeImporto, MagCausali.TipoMov, MagCausali.CarScar, "
      "MagCausali.Segno, MagCausali.Prov, MagCausali.Dest, MagCausali.Descrizione, PianoConti.RagSoc2, "
      "PianoConti.Descrizione, PianoConti.Indirizzo, PianoConti.CAP, PianoConti.Localita, PianoConti.Pr, "
      "FattDocumenti.Pagamento";
  if (classe) sql += ", " + colClasse;
  sql +=
      ", PianoConti.Stato, PianoConti.Telefono, PianoConti.PartIva, PianoConti.CodFisc, PianoConti.Bolli, "
      "PianoConti.SpeseBan, PianoConti.Provv1, PianoConti.Provv2, PianoConti.DataChiu, PianoConti.Fido, "
      "PianoConti.Spesa, PianoConti.DicIntenti, PianoConti.RagRb, PianoConti.Rischio, PianoConti.NoteCF, "
      "PianoConti.PrezzoDDT, PianoConti.RagDDT, PianoConti.Listino, PianoConti.Categoria, PianoConti.Zona, "
      "PianoConti.GruppoContr, PianoConti.MastroContr, PianoConti.ContoContr, PianoConti.CassaPrev, Stati.Iso, "
      "Listini.Moneta, Listini.Descrizione, Listini.Ivato, Listini.Sconto, Listini.ScoSomSost, "
      "Pagamenti.Descrizione, Pagamenti.NotaFissa, Banche.Descrizione, TabIva.Descrizione, Magazzini.Descrizione, "
      "MagazziniCar.Descrizione, Monete.Descrizione, Agenti.RagSoc, Agenti.Provv, AgentiBis.RagSoc, "
      "AgentiBis.Provv, IndSped.RagSoc, IndSped.RagSoc2, IndSped.Indirizzo, IndSped.CAP, IndSped.Localita, "
      "IndSped.Pr, IndSped.Stato, Vettori.RagSoc, Vettori.Indirizzo, Vettori.CAP, Vettori.Localita, Vettori.Pr, "
      "Vettori.Targa, CauTrasporti.Descrizione, AspettoBeni.Descrizione, Rese.Descrizione, Trasporti.Descrizione, "
      "Lingue.Descrizione, Contratti.Descrizione";
  sql += " FROM " + std::string(21, '(') + T;
  auto join = [&](const std::string& tab, const std::string& cond) { sql += " LEFT JOIN " + tab + " ON " + cond + ")"; };
  join("FattDocumenti", T + ".FattDocumento = FattDocumenti.FattDocumento");
  join("Pagamenti", T + ".Pagamento = Pagamenti.Pagamento");
  join("Listini", T + ".Listino = Listini.Listino");
  join("Banche", T + ".Banca = Banche.Banca");
  join("TabIva", T + ".Iva = TabIva.Iva");
  join("Monete", T + ".Moneta = Monete.Moneta");
  join("Vettori", T + ".Vettore = Vettori.Vettore");
  join("CauTrasporti", T + ".CauTrasporto = CauTrasporti.CauTrasporto");
  join("AspettoBeni", T + ".AspettoBene = AspettoBeni.AspettoBene");
  join("Trasporti", T + ".Trasporto = Trasporti.Trasporto");
  join("Rese", T + ".Resa = Rese.Resa");
  join("MagCausali", "FattDocumenti.MagCausale = MagCausali.MagCausale");
  join("PianoConti", "(" + T + ".ContoCli = PianoConti.Conto) AND (" + T + ".MastroCli = PianoConti.Mastro) AND (" +
                         T + ".GruppoCli = PianoConti.Gruppo)");
  join("IndSped", "(" + T + ".IndSped = IndSped.IndSped) AND (" + T + ".ContoCli = IndSped.Conto) AND (" + T +
                      ".MastroCli = IndSped.Mastro) AND (" + T + ".GruppoCli = IndSped.Gruppo)");
  join("Stati", "PianoConti.Stato = Stati.Stato");
  join("Agenti", T + ".Agente1 = Agenti.Agente");
  join("Agenti AS AgentiBis", T + ".Agente2 = AgentiBis.Agente");
  join("Magazzini", T + ".MagazzProv = Magazzini.Magazzino");
  join("Magazzini AS MagazziniCar", T + ".MagazzDest = MagazziniCar.Magazzino");
  join("Contratti", T + ".Contratto = Contratti.Contratto");
  join("Lingue", "DdtTest.lingua = lingue.lingua");
  sql += " Where " + T + ".Anno = " + fc.ValoreSql(txt(20).Text(), vb::vbInteger) + " And " + T +
         ".NumRif = " + fc.ValoreSql(txt(10).Text(), vb::vbLong);

  msSqlLettura = sql;
  {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    auto L = [&](std::string_view col) { return Testo(rs.LeggiCampoNull(k, col)); };

    // ---- document type
    lab(40).SetCaption(L("FattDocumenti.Descrizione"));
    msMagCausale = L("FattDocumenti.MagCausale");
    msDdtInterno = L("FattDocumenti.Interno");
    AbilDdtInterno(Si(msDdtInterno));
    msPrezzoDdtDoc = L("FattDocumenti.PrezzoDDT");
    msTabSconti = L("FattDocumenti.TabSconti");
    msSegnoDoc = L("FattDocumenti.Segno");
    msListinoDoc = L("FattDocumenti.Listino");
    msDoveStampoDesLung = L("FattDocumenti.DoveStampoDesLung");
    msRegimeMargine = L("FattDocumenti.RegimeMargine");
    msMagCausaleRientro = L("FattDocumenti.MagCausaleRientro");

    // ---- price list
    lab(200).SetCaption(L("Listini.Descrizione"));
    msListIvato = L("Listini.Ivato");
    msMonetaListino = L("Listini.Moneta");
    msScontoListino = L("Listini.Sconto");
    msScoSomSost = L("Listini.ScoSomSost");

    // ---- warehouse cause of the document type
    msQualeImporto = L("MagCausali.QualeImporto");
    if (fc.Vuoto(msQualeImporto, vb::vbString)) msQualeImporto = "L";
    msTipoMov = L("MagCausali.TipoMov");
    msCarScar = L("MagCausali.CarScar");
    msSegnoCausale = L("MagCausali.Segno");
    msProvCausale = L("MagCausali.Prov");
    msDestCausale = L("MagCausali.Dest");
    msDescCausale = L("MagCausali.Descrizione");
    msMatrTipOpe = AziendaUtil::CalcMatrTipOpe(msTipoMov, msCarScar, msProvCausale, msSegnoCausale,
                                               msMatrCausaliRientro, msMagCausale, msMatrCausaliNoMovCar);
    msLottoTipOpe =
        UtilLotto::CalcLottoTipOpe(msTipoMov, msCarScar, msSegnoCausale, msMagCausale, msLottiCausaliNoMovCar);
    AbilListino(false, true);

    // ---- customer
    const std::string ragSoc = L("PianoConti.RagSoc");
    lab(80).SetCaption(fc.Vuoto(ragSoc, vb::vbString) ? L("PianoConti.Descrizione") : ragSoc);
    lab(81).SetCaption(L("PianoConti.RagSoc2"));
    lab(82).SetCaption(L("PianoConti.Indirizzo"));
    lab(83).SetCaption(L("PianoConti.CAP") + " " + L("PianoConti.Localita") + " " + L("PianoConti.Pr") + " " +
                       L("PianoConti.Stato"));
    const std::string partIva = L("PianoConti.PartIva");
    std::string fiscale = fc.Vuoto(partIva, vb::vbString) ? L("PianoConti.CodFisc") : partIva;
    const std::string rischio = L("PianoConti.Rischio");
    lab(1650).SetCaption(rischio);
    lab(92).SetCaption(rischio);
    const std::string fido = L("PianoConti.Fido");
    lab(1655).SetCaption(fido);
    lab(91).SetCaption(fido);
    lab(91).SetVisible(Si(rischio));
    label1(91).SetVisible(Si(rischio));
    const std::string note = L("PianoConti.NoteCF");
    txt(1600).SetText(note);
    bool avviso = false;
    if (!msInizioAvvisoCliente.empty()) {
      if (vb::UgualeTesto(msInizioAvvisoCliente, "Tutti"))
        avviso = !note.empty();
      else
        avviso = vb::Piega(note).rfind(vb::Piega(msInizioAvvisoCliente), 0) == 0;
    }
    C("labNoteCliente").SetVisible(avviso);
    msPrezzoDdtCli = L("PianoConti.PrezzoDDT");
    msListinoCli = L("PianoConti.Listino");
    msProvv1Cli = L("PianoConti.Provv1");
    msProvv2Cli = L("PianoConti.Provv2");
    lab(84).SetCaption(vb::Trim(L("Stati.Iso") + " " + fiscale));
    lab(85).SetCaption(L("PianoConti.Telefono"));
    msSpesaCli = L("PianoConti.Spesa");
    msCategoriaCli = L("PianoConti.Categoria");
    msZonaCli = L("PianoConti.Zona");
    msGruppoContr = L("PianoConti.GruppoContr");
    msMastroContr = L("PianoConti.MastroContr");
    msContoContr = L("PianoConti.ContoContr");
    const bool chiuso = !fc.Vuoto(rs.LeggiCampoNull(k, "PianoConti.DataChiu"), vb::vbString);
    lab(89).SetVisible(chiuso);
    lab(80).SetForeColor(chiuso ? kRosso : kBlu);
    lab(81).SetForeColor(chiuso ? kRosso : kBlu);
    msClasseAttrCli = classe ? L(colClasse) : std::string();
    msPagamentoCli = L("PianoConti.Pagamento");
    msPagamento2Cli = L("PianoConti.Pagamento2");

    // ---- descriptions of the other codes
    lab(220).SetCaption(L("Pagamenti.Descrizione"));
    msNotaFissaPag = L("Pagamenti.NotaFissa");
    lab(250).SetCaption(L("Banche.Descrizione"));
    lab(270).SetCaption(L("TabIva.Descrizione"));
    lab(290).SetCaption(L("Magazzini.Descrizione"));
    lab(88).SetCaption(L("MagazziniCar.Descrizione"));
    lab(400).SetCaption(L("Monete.Descrizione"));
    lab(480).SetCaption(L("Agenti.RagSoc"));
    lab(481).SetCaption(L("Agenti.Provv"));
    lab(500).SetCaption(L("AgentiBis.RagSoc"));
    lab(501).SetCaption(L("AgentiBis.Provv"));
    msDicIntentiCli = L("PianoConti.DicIntenti");
    msPagamentoDoc = L("FattDocumenti.Pagamento");
    C("che", 430).SetValue(Si(L("PianoConti.Bolli")) ? 1 : 0);
    C("che", 460).SetValue(Si(L("PianoConti.SpeseBan")) ? 1 : 0);

    // ---- transport groups: the master's data and locked with a code, the
    // DDT's own typed texts and typeable without one
    struct Gruppo {
      int codice;
      std::vector<int> mostra;
      std::vector<const char*> master;
      std::vector<int> propri;
    };
    const Gruppo gruppi[] = {
        {800,
         {810, 820, 850, 860, 870, 880, 890},
         {"IndSped.RagSoc", "IndSped.RagSoc2", "IndSped.Indirizzo", "IndSped.CAP", "IndSped.Localita", "IndSped.Pr",
          "IndSped.Stato"},
         {830, 840, 900, 910, 920, 930, 940}},
        {950,
         {960, 980, 990, 1000, 1010, 1015},
         {"Vettori.RagSoc", "Vettori.Indirizzo", "Vettori.CAP", "Vettori.Localita", "Vettori.Pr", "Vettori.Targa"},
         {970, 1020, 1030, 1040, 1050, 1055}},
        {1060, {1070}, {"CauTrasporti.Descrizione"}, {1080}},
        {1090, {1100}, {"AspettoBeni.Descrizione"}, {1110}},
        {1120, {1130}, {"Rese.Descrizione"}, {1140}},
        {1150, {1160}, {"Trasporti.Descrizione"}, {1170}},
    };
    for (const Gruppo& g : gruppi) {
      const bool senzaCodice = fc.Vuoto(txt(g.codice).Text(), vb::vbString);
      for (size_t i = 0; i < g.mostra.size(); ++i) {
        std::string v;
        if (senzaCodice || (g.mostra[i] == 1015 && mbMemTargaVet))
          v = txt(g.propri[i]).Text();
        else
          v = L(g.master[i]);
        txt(g.mostra[i]).SetText(v);
      }
      bool abil = senzaCodice;
      switch (g.codice) {
        case 800: AbilDestin(abil); break;
        case 950: AbilVettore(abil); break;
        case 1060: AbilCauTras(abil); break;
        case 1090: AbilAspetto(abil); break;
        case 1120: AbilResi(abil); break;
        default: AbilTrasporto(abil); break;
      }
    }

    lab(560).SetCaption(L("Lingue.Descrizione"));
    lab(1400).SetCaption(L("Contratti.Descrizione"));
    VerContrDoppio();
    mbCassaPrev = Si(L("PianoConti.CassaPrev"));
  }  // the recordset goes with its manager

  MostraMoneta(true, false, false, false);
  MostraTotMon();
  MostraPdcDicIntenti(true, true);
}

void frmDdtTest::SetLabBackColor() {
  for (int n : {190, 195, 130, 140, 150, 160, 170, 1435, 1430, 1445, 1440}) lab(n).SetBackColor(mlColSfondoLab);
}
