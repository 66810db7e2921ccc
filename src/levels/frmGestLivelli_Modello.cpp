// The matrix model: the elements of the article's two level groups and the
// stored level rows of the line, each in its cell.
#include <exception>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"
#include "services/LatoMenu.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
}  // namespace

void frmGestLivelli::SqlEleLiv(const std::string& psLivello, int16_t piNumLiv) {
  const Globali& g = G();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                         "Select LivComp.*,Livelli.Descrizione FROM LivComp Left Join Livelli"
                                         " On LivComp.Livello = Livelli.Livello WHERE LivComp.livgruppo = " +
                                             FC().ValoreSql(vb::Variant(psLivello), vb::vbString) +
                                             " Order by LivComp.Livello",
                                         false, 4);
  std::vector<std::pair<std::string, std::string>> righe;
  if (!rs.NessunRecord(k)) rs.PrimoRec(k);
  for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k))
    righe.emplace_back(servizi::Testo(rs.LeggiCampo(k, "Livello")), servizi::Testo(rs.LeggiCampo(k, "Descrizione")));
  rs.ChiudiRecordset(k);
  const size_t n = righe.size();
  if (n > static_cast<size_t>(kMaxCelle)) vb::Solleva(6, "Overflow");
  miNumEle[piNumLiv] = static_cast<int16_t>(n);
  if (piNumLiv == miGrpLiv1) {
    msCodEle.assign(3, std::vector<std::string>(n + 1));
    msDesEle.assign(3, std::vector<std::string>(n + 1));
  } else if (msCodEle.empty() || msCodEle[0].size() < n + 1) {
    if (msCodEle.empty()) {
      msCodEle.assign(3, {});
      msDesEle.assign(3, {});
    }
    for (auto& v : msCodEle) v.resize(n + 1);
    for (auto& v : msDesEle) v.resize(n + 1);
  }
  for (size_t i = 0; i < n; ++i) {
    msCodEle[static_cast<size_t>(piNumLiv)][i + 1] = righe[i].first;
    msDesEle[static_cast<size_t>(piNumLiv)][i + 1] = righe[i].second;
  }
}

void frmGestLivelli::Dimensiona(long k1, long k2) {
  const size_t a = static_cast<size_t>(k1) + 1, b = static_cast<size_t>(k2) + 1;
  for (auto* v : {&msQta, &msPrezzo, &msImporto, &msFlagStato, &msStatoRiga, &msQtaProv, &msQtaEvasa})
    v->assign(a, std::vector<std::string>(b));
  mlColPrezzo.assign(a, std::vector<long>(b, 0));
  mlColImporto.assign(a, std::vector<long>(b, 0));
  mlRigLivOrig.assign(a, std::vector<int32_t>(b, 0));
}

void frmGestLivelli::PrepVetLiv() {
  const Globali& g = G();
  msRifiuto.clear();
  dati::GestRecordset rs;
  std::string k;
  try {
    const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
    const bool oriz = vb::UgualeTesto(osLiv1VertOriz, "O");
    miGrpLiv1 = oriz ? 1 : 2;
    miGrpLiv2 = oriz ? 2 : 1;
    miNumEle[0] = miNumEle[1] = miNumEle[2] = 0;
    msCodEle.clear();
    msDesEle.clear();
    SqlEleLiv(d.osLivGruppo1, miGrpLiv1);
    if (mbLiv2) SqlEleLiv(d.osLivGruppo2, miGrpLiv2);
    else miNumEle[miGrpLiv2] = 0;
    const long k1 = K1(), k2 = K2();
    // A cell's number is a 16-bit index: a bigger matrix cannot be shown.
    if (k1 * k2 > kMaxCelle) {
      for (auto* v : {&msQta, &msPrezzo, &msImporto, &msFlagStato, &msStatoRiga, &msQtaProv, &msQtaEvasa}) v->clear();
      mlColPrezzo.clear();
      mlColImporto.clear();
      mlRigLivOrig.clear();
      msTestoPrec.clear();
      msRifiuto = "Troppe combinazioni di livelli (" + std::to_string(k1 * k2) + "): la matrice ne gestisce al massimo " +
                  std::to_string(kMaxCelle);
      frmMsgCom::msgCom(msRifiuto, "&Ok");
      return;
    }
    Dimensiona(k1, k2);
    for (long c1 = oriz ? 1 : 0; c1 <= k1; ++c1)
      for (long c2 = oriz ? 0 : 1; c2 <= k2; ++c2)
        msPrezzo[static_cast<size_t>(c1)][static_cast<size_t>(c2)] = kNessunPrezzo;
    msPrezzoUnico = kNessunPrezzo;

    const std::string& t = osFileDocLiv;
    const Disposizione lay = Layout(oiTipoGest);
    std::string dove;
    if (lay.perUtente)
      dove = t + ".Utente = " + FC().ValoreSql(vb::Variant(servizi::UtenteMenu()), vb::vbString);
    else
      dove = t + ".Anno = " + FC().ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + t +
             ".NumRif = " + FC().ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong);
    dove += " AND " + t + ".RigLiv = " + FC().ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong);
    // Ordered by the pair: under shared prices the first row of the line
    // (or of each level-1 element) gives the shared price, the same one on
    // every engine.
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                         "Select " + t + ".* from " + t + " where " + dove + " Order By " + t + ".Livello1, " + t +
                             ".Livello2",
                         false, 4);
    const bool nessuna = rs.NessunRecord(k);
    const int16_t modo = FC().ValInt(vb::Variant(d.osFlagLivLis));
    const int16_t n1 = miNumEle[miGrpLiv1], n2 = miNumEle[miGrpLiv2];
    const auto& ele1 = msCodEle[static_cast<size_t>(miGrpLiv1)];
    const auto& ele2 = msCodEle[static_cast<size_t>(miGrpLiv2)];
    if (!nessuna) rs.PrimoRec(k);
    for (; !nessuna && !rs.FineRec(k); rs.ProssimoRec(k)) {
      const std::string liv1 = servizi::Testo(rs.LeggiCampo(k, "Livello1"));
      const std::string liv2 = mbLiv2 ? servizi::Testo(rs.LeggiCampo(k, "Livello2")) : std::string();
      int16_t i = 0, j = 0;
      for (int16_t p = 1; p <= n1 && i == 0; ++p)
        if (vb::UgualeTesto(ele1[static_cast<size_t>(p)], liv1)) i = p;
      if (i == 0) continue;
      if (n2 == 0) {
        j = 1;
      } else {
        for (int16_t p = 1; p <= n2 && j == 0; ++p)
          if (vb::UgualeTesto(ele2[static_cast<size_t>(p)], liv2)) j = p;
      }
      if (j == 0) continue;
      const size_t c1 = static_cast<size_t>(oriz ? i : j), c2 = static_cast<size_t>(oriz ? j : i);
      msPrezzo[c1][c2] = FC().MascheraNum(rs.LeggiCampo(k, "ValUnitario"), d.oiNumDecMonGes, {}, false, "#,##0",
                                          0, {}, "0");
      if (modo == 0) {
        if (msPrezzoUnico == kNessunPrezzo) {
          msPrezzoUnico = msPrezzo[c1][c2];
          MettiPrezzi(-1, msPrezzoUnico);
        }
      } else if (modo == 1) {
        std::string& slot = oriz ? msPrezzo[c1][0] : msPrezzo[0][c2];
        if (slot == kNessunPrezzo) {
          slot = msPrezzo[c1][c2];
          MettiPrezzi(i, slot);
        }
      }
      msImporto[c1][c2] =
          FC().MascheraNum(rs.LeggiCampo(k, "ValTotale"), d.oiNumDecMon, {}, false, "#,##0", 0, {}, "0");
      msQta[c1][c2] = TestoQta(rs.LeggiCampo(k, "Qta"), d.osNumDecQta);
      mlRigLivOrig[c1][c2] = FC().ValLong(rs.LeggiCampo(k, "RigLivOrig"));
      msFlagStato[c1][c2] = servizi::Testo(rs.LeggiCampo(k, "FlagStato"));
      if (lay.statoRiga) msStatoRiga[c1][c2] = servizi::Testo(rs.LeggiCampo(k, "StatoRiga"));
      if (lay.qtaProv) {
        const vb::Variant v = rs.LeggiCampoNull(k, "QtaProv");
        if (!v.IsNull()) msQtaProv[c1][c2] = v.ToString();
      }
      if (lay.qtaEvasa) {
        const vb::Variant v = rs.LeggiCampoNull(k, "QtaEvasa");
        if (!v.IsNull()) msQtaEvasa[c1][c2] = TestoQta(v, d.osNumDecQta);
      }
    }
    rs.ChiudiRecordset(k);
    k.clear();
    mbCelleAttive = false;
    AzzMemSconti(nessuna);
    mbCelleAttive = true;
    SbiancaSconti();
    for (long c1 = 1; c1 <= k1; ++c1)
      for (long c2 = 1; c2 <= k2; ++c2) {
        mlColPrezzo[static_cast<size_t>(c1)][static_cast<size_t>(c2)] = g.glColoreSfondo;
        mlColImporto[static_cast<size_t>(c1)][static_cast<size_t>(c2)] = g.glColoreSfondo;
      }
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    try {
      if (!k.empty() && rs.Esiste(k)) rs.ChiudiRecordset(k);
    } catch (...) {
    }
    if (msQta.empty()) Dimensiona(K1(), K2());
  }
}

std::string frmGestLivelli::Livello1Cella(int16_t e1, int16_t e2) const {
  const size_t e = static_cast<size_t>(miGrpLiv1 == 1 ? e1 : e2);
  const auto& v = msCodEle[static_cast<size_t>(miGrpLiv1)];
  return e < v.size() ? v[e] : std::string();
}

std::string frmGestLivelli::Livello2Cella(int16_t e1, int16_t e2) const {
  if (NumTotLiv(miGrpLiv2, false) == 0) return "~ç~";
  const size_t e = static_cast<size_t>(miGrpLiv2 == 1 ? e1 : e2);
  const auto& v = msCodEle[static_cast<size_t>(miGrpLiv2)];
  return e < v.size() ? v[e] : std::string();
}
