// The look-up keys of the header's text boxes and the buttons beside them.
// F2 to F5 (without Shift, Ctrl or Alt) and F11, F12 (with or without) open
// the look-up window of the field's table; the code picked there is
// decoded when the user leaves the field. The exchange rate has no table:
// its keys read the rate again.
#include <cstdint>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// The look-up of a field: its kind and where its description goes (a
// label, or the visible box of a code that may also be free text).
struct Aiuto {
  int campo;
  const char* tipo;
  const char* controlloDescr;
  int descr;
};

constexpr Aiuto kAiuti[] = {
    {40, "FattDocumento", "lab", 40},  {80, "Conto", "lab", 80},          {88, "Magazzino", "lab", 88},
    {200, "Listino", "lab", 200},      {220, "Pagamento", "lab", 220},    {250, "Banca", "lab", 250},
    {270, "Iva", "lab", 270},          {290, "Magazzino", "lab", 290},    {310, "PdcDicIntenti", "lab", 310},
    {400, "Moneta", "lab", 400},       {480, "Agente", "lab", 480},       {500, "Agente", "lab", 500},
    {530, "NotaFissa", "lab", 530},    {540, "NotaFissa", "lab", 540},    {550, "NotaFissa", "lab", 550},
    {560, "Lingua", "lab", 560},       {800, "IndSped", "txt", 810},      {950, "Vettore", "txt", 960},
    {1060, "CauTrasporto", "txt", 1070}, {1090, "AspettoBene", "txt", 1100}, {1120, "Resa", "txt", 1130},
    {1150, "Trasporto", "txt", 1160},  {1400, "Contratti", "lab", 1400},
};

const Aiuto* AiutoDi(int campo) {
  for (const Aiuto& a : kAiuti)
    if (a.campo == campo) return &a;
  return nullptr;
}

}  // namespace

void frmDdtTest::txt_KeyUp(int Index, int& KeyCode, int Shift) {
  const bool conModifica = (Shift & (ui::vbShiftMask | ui::vbCtrlMask | ui::vbAltMask)) != 0;
  const bool tasto = (KeyCode >= ui::vbKeyF2 && KeyCode <= ui::vbKeyF5 && !conModifica) || KeyCode == ui::vbKeyF11 ||
                     KeyCode == ui::vbKeyF12;
  if (!tasto) return;
  if (Index == 410) {
    MostraCambioMoneta(false);
    return;
  }
  const Aiuto* a = AiutoDi(Index);
  if (!a || !Esiste("txt", Index) || !Esiste(a->controlloDescr, a->descr)) return;

  aiuti::ChiaveAgg chiave;
  std::string colonneAgg, filtro;
  switch (Index) {
    case 40:
      // Only the document types of kind B, the delivery notes.
      filtro = std::string(" Tipo = '") + "B" + "'";
      break;
    case 80:
      if (!FC().Vuoto(vb::Variant(txt(86).Text()))) {
        chiave = aiuti::ChiaveAgg(txt(86));
      } else {
        // Without an account type: F2 and F3 customers, F4 and F5 the same
        // searches among suppliers; F11 and F12 nothing.
        switch (KeyCode) {
          case ui::vbKeyF2:
          case ui::vbKeyF3: chiave = aiuti::ChiaveAgg("3"); break;
          case ui::vbKeyF4:
            chiave = aiuti::ChiaveAgg("2");
            KeyCode = ui::vbKeyF2;
            break;
          case ui::vbKeyF5:
            chiave = aiuti::ChiaveAgg("2");
            KeyCode = ui::vbKeyF3;
            break;
          default: return;
        }
      }
      break;
    case 310:
      // Only where the header stores the declaration.
      if (!mbDicIntentiTest) return;
      chiave = aiuti::ChiaveAgg(FC().FormatTipo(vb::Variant(txt(80).Text()), "conto"));
      break;
    case 800:
      chiave = FC().Vuoto(vb::Variant(txt(86).Text()))
                   ? aiuti::ChiaveAgg(txt(80))
                   : aiuti::ChiaveAgg{aiuti::ChiaveAgg(txt(86)), aiuti::ChiaveAgg(txt(80))};
      colonneAgg = "RagSoc";
      break;
    default: break;
  }
  int16_t scelto = 0;
  AziendaUtil::ApriAiuto(a->tipo, txt(Index), &C(a->controlloDescr, a->descr), static_cast<int16_t>(KeyCode), chiave,
                         scelto, colonneAgg, 0, filtro);
}

void frmDdtTest::ComHlp_Click(int Index) {
  switch (Index) {
    case 1180: {
      // The packages of the stored lines; a failed count (its own message)
      // leaves what was typed.
      const vb::Variant colli = CalcTotColli();
      if (!colli.IsEmpty()) txt(1180).SetText(colli.ToString());
      if (txt(1180).PuoFuoco()) txt(1180).SetFocus();
      return;
    }
    case 1210: CalcolaPeso(); return;
    case 1610: MostraScad(false); return;
    default: break;
  }
  // The button beside a field: the field takes the focus and F2 opens its
  // look-up (the rate's button reads the rate again). A field that cannot
  // take the focus now opens nothing.
  if (!Esiste("txt", Index)) return;
  if (!txt(Index).PuoFuoco()) return;
  FunVarie::SimulaTastoCampo(*this, Index, ui::vbKeyF2, false);
}
