// The window's commands. Every key, from the toolbar, the keyboard, the
// page, the deferred steps or the window's own routines, goes through
// ButtonComando: the window does its own part (insertion in the middle,
// cut/copy/paste marks, levels, lots, serial numbers, imports, leaving
// without saving), then hands the key to the line page.
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }
bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s)); }
void Avviso(const std::string& testo) { frmMsgCom::msgCom(testo, "&Ok"); }

}  // namespace

bool frmDDTDett::ArtConLivelli() const {
  return Uguale(G().gsGesTaglie, "S") && (!Vuoto(osLivGruppo1) || !Vuoto(osLivGruppo2));
}

std::string frmDDTDett::MostraErrore(const std::exception_ptr& e) {
  try {
    std::rethrow_exception(e);
  } catch (const vb::Errore& err) {
    frmMsgCom::MsgErrfrm(err);
    return err.Description();
  } catch (const std::exception& err) {
    frmMsgCom::MsgErrfrm(vb::Variant(std::string(err.what())), vb::Variant(5));
    return err.what();
  } catch (...) {
    frmMsgCom::MsgErrfrm(vb::Variant("errore imprevisto"), vb::Variant(5));
    return "errore imprevisto";
  }
}

vb::Variant frmDDTDett::ButtonComando(const std::string& psKey) {
  std::string key = psKey;
  vb::Variant ris = std::string();
  struct Livello {
    frmDDTDett& f;
    explicit Livello(frmDDTDett& pf) : f(pf) { ++f.miLivComando; }
    ~Livello() {
      if (--f.miLivComando == 0) f.mpLinPagChiusa.reset();
    }
  } livello(*this);
  // A window that has finished with its lines has no page left to command.
  if (!HaPagina()) return ris;
  // One import at a time: neither import starts while a line import runs,
  // and a serial import is not started again while it runs.
  if (Uguale(key, "LetturaDaFile") && mbLetturaFile) return ris;
  if (Uguale(key, "LettMatr") && (mbLetturaFile || mbLetturaMatr)) return ris;
  barre::gridlib::PaginaRighe& pag = ogLinPag();
  // Saving a new line always goes on with the next new line.
  if (Uguale(key, "Salva") && pag.Stato() == 2) key = "Inserisci";
  mbInsInMezzoRich = false;
  oiLivelliCrea = 0;
  ui::Controllo* attivo = ActiveControl();
  msCtrlAttivo = attivo ? attivo->Name() : std::string();

  try {
    if (Uguale(key, "Annulla")) mbRaeeDaCreare = false;

    // The field being edited is finished first.
    if (Uguale(key, "Inserisci") || Uguale(key, "Nuovo")) {
      // Leaving the article field must not save the line by itself.
      if (obCodBarLostFocusSalva) mbCodBarSalvato = true;
      SpostaFuoco(&dbgRiga());
      ui::DoEvents();
    } else if (Uguale(msCtrlAttivo, "txt") && attivo) {
      txt_LostFocus(attivo->Index());
    }
    // The exit of the field may have closed the window.
    if (!HaPagina()) return ris;

    if (Uguale(key, "EsciNoSalva")) {
      mbSalvaInUscita = false;
      key = "Chiudi";
    }

    if (Uguale(key, "Inserisci")) {
      const int16_t numero = FC().ValInt(vb::Variant(txt(10).Text()), true, true);
      if (pag.Stato() == 1) {
        if (!mbInComando) {
          const std::string var = servizi::Testo(pag.VarDati(-1));
          if (!(var.empty() || var == "-1" || var == "-2")) {
            const std::string rifiuto = pag.SalvaRiga();
            if (!rifiuto.empty()) {
              miStatoRaee = 0;
              return rifiuto;
            }
            if (oiLivelliCrea == -2) {
              // The stored line's levels come first; the deferred level
              // step goes on with the new line.
              oiLivelliCrea = 0;
              return ris;
            }
            pag.Rileggi();
            if (miStatoRaee == 1) {
              mbInComando = true;
              InsVarRigaRAEE();
              return ris;
            }
          }
        }
        mbInComando = false;
        mbInsInMezzo = true;
        mbInsInMezzoRich = true;
        miRigaIns = FC().ValInt(vb::Variant(txt(10).Text()), true, true);
      } else if (pag.Stato() == 2) {
        mbInsInMezzoRich = mbInsInMezzo;
        const std::string liv2 = txt(22).Text();
        const bool livelli =
            ArtConLivelli() && (oiLivelliCrea != 0 || (Vuoto(txt(21).Text()) && (Vuoto(liv2) || liv2 == "~ç~")));
        const bool lotti = Uguale(msGestRintraccia, "O");
        const std::string rifiuto = pag.EseguiTasto("Salva");
        if (!rifiuto.empty()) return rifiuto;
        miRipresaLivelli = 1;
        // The after-hooks open the level or lot rows of the line just
        // stored; their closing goes on with the insertion.
        if (livelli || lotti) return ris;
        const int16_t dopo = FC().ValInt(vb::Variant(txt(10).Text()), true, true);
        miRigaIns = static_cast<int16_t>(mbInsInMezzoRich ? dopo : dopo + 1);
      } else {
        mbInsInMezzo = true;
        mbInsInMezzoRich = true;
        miRigaIns = numero;
      }
      CompletaInserisci(key);
    }

    // The window's own commands, each on the key the previous left.
    if (Uguale(key, "Copia")) CopiaTagliaDett(1);
    if (Uguale(key, "Taglia")) CopiaTagliaDett(2);
    if (Uguale(key, "Incolla")) IncollaDett();
    if (Uguale(key, "LivelliCrea")) {
      if (!ArtConLivelli()) {
        Avviso("Articolo senza gestione livelli");
        return ris;
      }
      oiLivelliCrea = 1;
      if (pag.Stato() == 2) {
        key = "Salva";
      } else {
        miRipresaLivelli = 2;
        if (GestLivelli(true)) return ris;
      }
    }
    if (Uguale(key, "Livelli")) {
      if (!ArtConLivelli()) {
        Avviso("Articolo senza gestione livelli");
        return ris;
      }
      if (pag.Stato() == 2) {
        if (oiAbilRW == 0) {
          Avviso("Documento già stampato: Impossibile inserire articoli");
          return ris;
        }
        oiLivelliCrea = -1;
        key = "Salva";
      } else {
        miRipresaLivelli = 3;
        if (GestLivelli(true)) return ris;
      }
    }
    if (Uguale(key, "MatrGest")) {
      if (GestMatricole(true)) return ris;
      key.clear();
    }
    if (Uguale(key, "Tracc")) {
      if (pag.Stato() == 2) {
        if (!ArtConLivelli()) {
          ArmaTimer(7);
          key = "Salva";
        } else {
          Avviso("Salvare i dati prima di andare nella gestione rintracciabilità");
        }
      } else {
        miRipresaTracc = 1;
        if (GestTracc(true, false)) return ris;
        key.clear();
      }
    }

    if (Uguale(key, "LetturaDaFile")) {
      LeggiDaFileBarCode();
    } else if (Uguale(key, "LettMatr")) {
      LeggiDaFileMatricole();
    } else {
      ris = pag.EseguiTasto(key);
      // The page may have closed the window ("Chiudi", "EsciNoSalva").
      if (!HaPagina()) return ris;
      if ((Uguale(key, "Nuovo") || Uguale(key, "Salva") || Uguale(key, "Annulla")) &&
          (mbLetturaFile || mbLetturaMatr || mbRaeeDaCreare) && !ArtConLivelli())
        ArmaTimer(mbRaeeDaCreare ? 9 : mbLetturaFile ? 5 : 6);
      if (miStatoRaee == 1)
        InsVarRigaRAEE();
      else if (miStatoRaee == 3)
        DopoInsVarRigaRAEE();
    }
    mbInsInMezzo = mbInsInMezzoRich;
  } catch (...) {
    ris = MostraErrore(std::current_exception());
  }
  return ris;
}

void frmDDTDett::ChiudiFrm() {
  miChiusuraDaPagina = 1;
  Unload();
}

void frmDDTDett::MenuFrm() { mainDdt::MostraMenu(); }
