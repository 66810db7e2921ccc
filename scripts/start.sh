#!/usr/bin/env bash
# Installs, builds and starts the program the way the suite starts it: the
# stand-in menu server ddt-menu serves the demonstration company and starts
# the DDT program. Extra arguments go to `ddt-menu avvia` (--resta keeps the
# menu running after the program has ended).
set -euo pipefail
cd "$(dirname "$0")/.."
# The desktop first: without one the program cannot show a window, and
# there is no point in installing and building for minutes to say so.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
Il programma ha bisogno di un desktop: né DISPLAY né WAYLAND_DISPLAY sono impostati.
Su una macchina senza schermo lo si avvia dentro uno schermo virtuale (Xvfb,
installato da scripts/install.sh):

    xvfb-run -a bash scripts/start.sh
MSG
  if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run non è ancora installato: prima  bash scripts/install.sh" >&2
  fi
  exit 1
fi
bash scripts/install.sh
bash scripts/build.sh -DDDT_TESTS=OFF
BUILD=$(realpath "${DDT_BUILD_DIR:-build}")

# The suite's files under the folder that stands for the Windows drives
# (README, "Settings and Windows paths"): C:\Velnor is $VELNOR_ROOT/c/Velnor.
export VELNOR_ROOT=${VELNOR_ROOT:-$HOME/velnor}
DATI="$VELNOR_ROOT/c/Velnor"
mkdir -p "$DATI/Ditte"
if [ ! -f "$DATI/Ditte/demo.db" ]; then
  "$BUILD/ddt-db" demo 'C:\Velnor\Ditte\demo.db'
fi
# The suite ini and the company's own ini, written once: later changes stay.
if [ ! -f "$DATI/velnor.ini" ]; then
  cat > "$DATI/velnor.ini" <<'INI'
[Parametri Generali]
OrdIniDBase=C:\Velnor\demo.ini
[Menu]
NomeDB=C:\Velnor\menu.db
[Base]
TempoMaxCarStampa=10
INI
fi
# The line aids: reader-file layouts (fixed, separated, quoted) with their
# sample files, a serial layout, the reorder folder. Added once to an ini
# that has none; the sample files are put back at every start, since an
# import may delete them.
mkdir -p "$DATI/Letture" "$DATI/DaOrdi"
printf 'LAMPLED8  000004\r\nVITE0410  000010\r\nACQUA15   000024\r\n' > "$DATI/Letture/fisso.txt"
printf 'LAMPLED8\t2\t\t23,50\r\n8001234567897\t5\t\t\r\nBISCOTTI\t12\t30,00\t\r\n' > "$DATI/Letture/tab.txt"
printf '"LAMPLED8","1","",""\r\n"VITE0410","3","",""\r\n"ACQUA15","6","","0,45"\r\n' > "$DATI/Letture/virgolette.txt"
printf 'TR18-000103\r\n' > "$DATI/Letture/matricole.txt"
if ! grep -qi '^\[LettArtDafile\]' "$DATI/velnor.ini"; then
  cat >> "$DATI/velnor.ini" <<'INI'
[LettArtDafile]
Descr=Lettore di magazzino (campi fissi)
FileOrigine=C:\Velnor\Letture\fisso.txt
FissoSep=F
CodInizio=1
CodLung=10
QtaInizio=11
QtaLung=6
CancFile=N
CodArtSeqRic=CB
[LettArtDafileTab]
Descr=File separato da tabulazioni (codici o codici a barre, prezzi)
FileOrigine=C:\Velnor\Letture\tab.txt
FissoSep=S
Separatore=9
CodInizio=1
QtaInizio=2
ImpTotInizio=3
ImpUniInizio=4
CancFile=N
[LettArtDafileCsv]
Descr=Esportazione gestionale (campi tra virgolette)
FileOrigine=C:\Velnor\Letture\virgolette.txt
FissoSep=A
CodInizio=1
QtaInizio=2
ImpTotInizio=3
ImpUniInizio=4
CancFile=N
CodArtSeqRic=C
[LettMatrDafile]
Descr=Matricole lette dal terminale
FileOrigine=C:\Velnor\Letture\matricole.txt
FissoSep=F
CodInizio=1
CodLung=20
CancFile=N
INI
fi
if ! grep -qi '^DirDaOrdi' "$DATI/velnor.ini"; then
  sed -i 's/^\[Base\]$/[Base]\nDirDaOrdi=C:\\Velnor\\DaOrdi/' "$DATI/velnor.ini"
fi
if [ ! -f "$DATI/demo.ini" ]; then
  cat > "$DATI/demo.ini" <<'INI'
[Configurazioni]
FormatData=dd/mm/yyyy
INI
fi
# The menu server's ini: rewritten at every start, it names this build. It
# holds the users' logins and passwords: readable by its owner only, from
# the moment it exists (a new file, made under umask 077, then put in place).
NUOVO=$(umask 077 && mktemp "$DATI/.menu.ini.XXXXXX")
trap 'rm -f "$NUOVO"' EXIT
cat > "$NUOVO" <<INI
[Menu]
Id=1
Utente=${USER:-utente}
Terminale=$(hostname 2>/dev/null || echo localhost)
Ditta=DEMO
IniSuite=C:\\Velnor\\velnor.ini
NomeDB=C:\\Velnor\\menu.db
VersMenu=1.07
Versione=0.1
[Ditta DEMO]
Descrizione=Ditta dimostrativa
NomeDB=C:\\Velnor\\Ditte\\demo.db
[Parametri DEMO]
Ditta.Moneta=Euro
Ditta.CodLira=L.
Ditta.CodEuro=Euro
Ditta.CambioLiraEuro=1936,27
Mag.NumDecQta=2
Mag.KeyRicDDT=0
Mag.GesTaglie=S
Mag.GesArtFor=N
Fat.DocDdt=DDT
CauCon.SpesaCassaPrev=CPV
Fat.ElePrefDdt=AB
Fat.PrefDdt=
Fat.AspettoBene=01
Fat.CauTrasporto=01
Fat.Trasporto=01
Fat.DescLibTest1=Commessa
Fat.DescLibTest2=Reparto
Fat.DescLibTest3=
Fat.DescLibTest4=
Ditta.InstDiBa=N
Mag.ListinoPrincipale=01
CoGe.AnnoCorr=2026
CoGe.DataInizCont=01/01/2026
CoGe.DataFineCont=31/12/2026
[Personali]
DDT.LettArtDafile=S
Ddt.DaOrdi=S
[Programma]
Comando=$BUILD/ddt
Chiave=DDT
Form=frmddttest
[Stampa]
Comando=cat %V >> '$DATI/stampe.log'
INI
mv -f "$NUOVO" "$DATI/menu.ini"

echo "Menu dimostrativo: $DATI/menu.ini"
echo "Le stampe richieste dal programma (al posto del programma di stampa): $DATI/stampe.log"
echo "Per chiudere il programma da un'altra shell: $BUILD/ddt-menu comando DDT fine"
for a in "$@"; do
  if [ "$a" = --resta ]; then echo "Il menu resta attivo anche dopo il programma: lo si chiude con Ctrl+C"; fi
done
exec "$BUILD/ddt-menu" avvia --ini "$DATI/menu.ini" "$@"
