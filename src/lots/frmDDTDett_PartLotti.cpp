// The split of a line by batch and lot (DescPers1 the batch, DescPers3 the
// lot): the current line becomes the first row of the split dialog and a
// copy of it below it takes each further row; the lines after it move down
// and all are numbered again. The whole split is one transaction: a failure
// (or a program that dies half-way) leaves the working lines as they were.
// Also the list of the pairs loaded, opened from the batch field.
#include <algorithm>
#include <memory>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "lots/frmLisPartLot.h"
#include "lots/frmPartLottoDiv.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "services/DbDitta.h"

using namespace DettUtil;

namespace {

constexpr int32_t kBandaPartLotti = 20000;

}  // namespace

void frmDDTDett::ComPartLotti_Click() {
  if (!FC().Vuoto(vb::Variant(osStato))) {
    frmMsgCom::msgCom("DDT stampato: Impossibile suddividere", "&Ok");
    return;
  }
  if (!FC().Vuoto(ogLinPag().VarDati(-1))) {
    frmMsgCom::msgCom("Salvare i dati prima di andare nella ripartizione Partite/Lotto", "&Ok");
    return;
  }
  // The dialog closed last may still be inside its own unload.
  mfrmPartLottoDivChiuso.reset();
  mfrmPartLottoDiv = std::make_shared<frmPartLottoDiv>();
  frmPartLottoDiv& f = *mfrmPartLottoDiv;
  f.ofrmDett = this;
  f.obOk = false;
  f.osArticolo = txt(20).Text();
  f.osDescArt = txt(26).Text();
  f.oiAnno = miAnnoMag;
  f.osMagazzino = osMagazzino;
  f.osPartita = txt(220).Text();
  f.odQta = FC().ValDouble(vb::Variant(txt(30).Text()), true);
  f.osKeySec = osKeySec;
  SetEnabled(false);
  f.Load();
  f.Show(0);
}

void frmDDTDett::DopoPartLotti() {
  SetEnabled(true);
  Show();
  std::shared_ptr<frmPartLottoDiv> dlg = mfrmPartLottoDiv;
  mfrmPartLottoDivChiuso = mfrmPartLottoDiv;
  mfrmPartLottoDiv.reset();
  if (!dlg || !dlg->obOk) return;
  const Globali& g = G();
  barre::gridlib::PaginaRighe& p = ogLinPag();
  FunVarie::Clessidra(-1);
  miNoEventiGriglia = 1;
  mfrmPartLottoDiv = dlg;  // read by the rows while they are written
  const int32_t maxRigLiv = mlMaxRigLiv;
  const int16_t a = FC().ValInt(vb::Variant(txt(10).Text()), false, true);
  int r = 0;
  SenzaErrori([&] { r = dbgRiga().Row(); });
  bool fatto = false;
  utilprg::TransInizio(0, -1, nullptr, -1, "");
  try {
    int32_t banda = kBandaPartLotti;
    SpostaRighe("RigDet", g.gsTabDettApp, static_cast<int16_t>(a + 1), 0, banda);
    AddPartLotti("RigDet", g.gsTabDettApp, dlg->oiRigaVal);
    PuntoArresto("PartLotti");
    p.Riposiziona(false, -1, 0, -1, -1);
    RenumRighe(p.OggDati(), p.ChiaveDati(), "RigDet", 1);
    utilprg::TransConferma(0, -1, nullptr, -1, "");
    fatto = true;
  } catch (...) {
    SenzaErrori([&] { utilprg::TransAnnulla(0, -1, nullptr, -1, ""); });
    mlMaxRigLiv = maxRigLiv;
    FunVarie::Clessidra(0);
    miNoEventiGriglia = 0;
    frmMsgCom::MsgErrfrm();
  }
  mfrmPartLottoDiv.reset();
  if (!fatto) {
    // The page shows the lines as they are again.
    SenzaErrori([&] { p.Riposiziona(false, -1, 0, -1, -1); });
    return;
  }
  SenzaErrori([&] {
    if (ui::DatiControllo& d = datRiga(); d.Recordset() && d.Recordset()->RecordCount() > 0)
      d.Recordset()->SetAbsolutePosition(std::min<long>(std::max(a - 1, 0), d.Recordset()->RecordCount() - 1));
  });
  miNoEventiGriglia = 0;
  ui::DoEvents();
  SenzaErrori([&] { p.Rileggi(); });
  SenzaErrori([&] { dbgRiga().Scroll(std::max(a - r, 0), 0); });
  FunVarie::Clessidra(0);
}

vb::Variant frmDDTDett::AddPartLotti(const std::string& psCampo, const std::string& psFile, int16_t piRigheAdd) {
  const Globali& g = G();
  dati::GestRecordset rs;
  const std::string nuove = rs.ApriRecordset(servizi::DbDitta(), g.gsConnAzienda, "",
                                             "Select * From " + psFile + " Where Anno = -1", false, 2);
  const std::string riga = rs.ApriRecordset(
      servizi::DbDitta(), g.gsConnAzienda, "",
      "Select * From " + psFile + " where Anno = " + FC().ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) +
          " AND NumRif = " + FC().ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " AND " + psCampo + " = " +
          FC().ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong),
      false, 2);
  if (rs.NessunRecord(riga)) throw vb::Errore(3021, "Riga da suddividere non trovata");
  const double ordTot = FC().ValDouble(rs.LeggiCampo(riga, "QtaProv"));
  double ordPrec = 0;
  rs.ModificaRecord(riga);
  AggRecPartLott(rs, riga, 1, ordPrec, ordTot);
  rs.SalvaRecord(riga);
  const int32_t rigDet = FC().ValLong(rs.LeggiCampo(riga, psCampo));
  for (int16_t k = 2; k <= piRigheAdd; ++k) {
    rs.CopiaRecord(riga, nuove);
    rs.ScriviCampo(nuove, psCampo, vb::Variant(int32_t(kBandaPartLotti + rigDet - piRigheAdd + k)));
    ++mlMaxRigLiv;
    rs.ScriviCampo(nuove, "RigLiv", vb::Variant(mlMaxRigLiv));
    AggRecPartLott(rs, nuove, k, ordPrec, ordTot);
    rs.SalvaRecord(nuove);
  }
  rs.ChiudiRecordset(riga);
  rs.ChiudiRecordset(nuove);
  return vb::Variant(int16_t(0));
}

void frmDDTDett::AggRecPartLott(dati::GestRecordset& pgRecDat, const std::string& psRecDat, int16_t piRiga,
                                double& pdOrdPrec, double pdOrdTot) {
  const Globali& g = G();
  const frmPartLottoDiv& f = *mfrmPartLottoDiv;
  const int i = f.ovRigaDaEl[static_cast<size_t>(std::clamp<int16_t>(piRiga, 0, 5))];
  const std::string partita = f.C("txt", f.oiPuntPartita + 10 * i).Text();
  const std::string lotto = f.C("txt", f.oiPuntLotto + 10 * i).Text();
  const double q = FC().ValDouble(vb::Variant(f.C("txt", f.oiPuntQta + 10 * i).Text()), true);
  const int16_t n = f.oiRigaVal;
  pgRecDat.ScriviCampo(psRecDat, "Qta", vb::Variant(q));
  const double pezzi = FC().ValDouble(vb::Variant(lab(50).Caption()));
  if (pezzi > 0 && !mbQtaDaDimen) pgRecDat.ScriviCampo(psRecDat, "Colli", vb::Variant(FC().Arrotonda(vb::Variant(q / pezzi), "S", 1)));
  const double importo = AziendaUtil::CalcImporto(vb::Variant(FC().ValDouble(vb::Variant(txt(60).Text()))),
                                                  vb::Variant(q),
                                                  vb::Variant(FC().ValDouble(vb::Variant(lab(80).Caption()))),
                                                  g.gbArrUnitIntermedio, oiNumDecMonGes);
  pgRecDat.ScriviCampo(psRecDat, "ValTotale", vb::Variant(FC().Arrotonda(vb::Variant(importo), "A", 1, -oiNumDecMon)));
  const vb::Variant totale = pgRecDat.LeggiCampoNull(psRecDat, "ValTotale");
  double lire = 0, euro = 0, doc = 0;
  AziendaUtil::ConvLireEuro(totale.IsNull() ? vb::Variant(0.0) : totale,
                            Vuoto(osCambio) ? vb::Missing : vb::Variant(osCambio),
                            Vuoto(osMonOper) ? vb::Missing : vb::Variant(osMonOper), vb::Variant(osMoneta), lire, euro,
                            doc, true, true, true, vb::Missing, vb::Missing, vb::Missing, false, false, "E", "E",
                            vb::Variant(0));
  pgRecDat.ScriviCampo(psRecDat, "ValLire", vb::Variant(lire));
  pgRecDat.ScriviCampo(psRecDat, "ValEuro", vb::Variant(euro));
  pgRecDat.ScriviCampo(psRecDat, "DescPers1", vb::Variant(partita));
  pgRecDat.ScriviCampo(psRecDat, "DescPers3", vb::Variant(lotto));
  // The source line's quantity handed out, the remainder on the last row.
  const int d = g.giNumDecQtaMag;
  auto arr = [&](double v) { return FC().Arrotonda(vb::Variant(v), "A", 1, -d); };
  const double resto = pdOrdTot - pdOrdPrec;
  const double quota = std::min(q, std::max(0.0, arr(resto)));
  pdOrdPrec = arr(pdOrdPrec + quota);
  if (piRiga == n && FunVarie::ArrotConfronta(vb::Variant(resto), vb::Variant(0.0), -8) == 1) {
    pgRecDat.ScriviCampo(psRecDat, "QtaProv", vb::Variant(arr(resto)));
  } else if (piRiga == 1 || quota > 0) {
    pgRecDat.ScriviCampo(psRecDat, "QtaProv", vb::Variant(quota));
  } else {
    // No share of the source line: the link to it goes.
    for (const char* c : {"TipoProv", "FattDocumentoProv", "AnnoRifProv", "NumRifProv", "RigaRifProv", "QtaProv"})
      pgRecDat.ScriviCampo(psRecDat, c, vb::Variant(vb::Null));
  }
}

// ---- the batch/lot pairs loaded, from the batch field

void frmDDTDett::CercaPartita() {
  try {
    mfrmLisPartLotChiuso.reset();
    mfrmLisPartLot = std::make_shared<frmLisPartLot>();
    frmLisPartLot& f = *mfrmLisPartLot;
    f.oiAnno = miAnnoMag;
    f.osArticolo = txt(20).Text();
    f.osDescArt = txt(26).Text();
    f.osMagazzino = osMagazzino;
    f.osKeySec = osKeySec;
    f.ofrmTest = this;
    SetEnabled(false);
    f.Load();
    f.Show(0);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    SenzaErrori([&] { SetEnabled(true); });
  }
}

void frmDDTDett::DopoCercaPartita(bool pbOk) {
  SetEnabled(true);
  Show();
  if (pbOk && mfrmLisPartLot) {
    txt(220).SetText(mfrmLisPartLot->osPartita);
    txt(265).SetText(mfrmLisPartLot->osLotto);
  }
  mfrmLisPartLotChiuso = std::move(mfrmLisPartLot);
}
