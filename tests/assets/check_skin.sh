#!/usr/bin/env bash
# Checks an installed skin folder and the program icons:
#   check_skin.sh SKIN_FOLDER ICON_FILE...
# Every key of section FORMMAIN must be a class prefix, the name of a main-window control of
# that class and a property the skin loader reads for that class, with a value of the form the
# loader accepts (a colour the loader cannot convert stops the whole skinning). Every picture
# named must exist in the skin folder as a plain 24-bit BMP (or a valid icon); pictures of
# sized buttons and panels must have the size the skin gives them. The tool's section must
# be complete. Each icon file must hold a 16- and a 32-pixel image.
set -euo pipefail
skins=$1
shift
status=0
fail() {
    echo "$*" >&2
    status=1
}

u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
s32() { od -An -td4 -j"$2" -N4 "$1" | tr -d ' '; }

# Prints "width height" of a plain 24-bit BMP; fails otherwise.
bmp_size() {
    local f=$1 size declared offset info w h planes bpp compression row
    [ -f "$f" ] || { fail "$f: missing"; return 1; }
    size=$(stat -c %s "$f")
    if [ "$size" -lt 54 ] || [ "$(head -c2 "$f")" != BM ]; then
        fail "$f: not a BMP file"
        return 1
    fi
    declared=$(u32 "$f" 2) offset=$(u32 "$f" 10) info=$(u32 "$f" 14)
    w=$(s32 "$f" 18) h=$(s32 "$f" 22) planes=$(u16 "$f" 26) bpp=$(u16 "$f" 28)
    compression=$(u32 "$f" 30)
    h=${h#-}
    row=$(((w * 3 + 3) / 4 * 4))
    if [ "$declared" != "$size" ] || [ "$info" -lt 40 ] || [ "$w" -le 0 ] || [ "$h" -le 0 ] ||
        [ "$planes" != 1 ] || [ "$bpp" != 24 ] || [ "$compression" != 0 ] ||
        [ $((offset + row * h)) -gt "$size" ]; then
        fail "$f: not a plain 24-bit BMP (size $size/$declared, ${w}x$h, $bpp bits," \
            "compression $compression)"
        return 1
    fi
    echo "$w $h"
}

# An icon file: header, directory entries inside the file, each image a BMP header or a PNG.
check_icon() {
    local f=$1 size count i entry width offset length sizes=""
    [ -f "$f" ] || { fail "$f: missing"; return 1; }
    size=$(stat -c %s "$f")
    if [ "$size" -lt 22 ] || [ "$(u16 "$f" 0)" != 0 ] || [ "$(u16 "$f" 2)" != 1 ]; then
        fail "$f: not an icon file"
        return 1
    fi
    count=$(u16 "$f" 4)
    [ "$count" -ge 1 ] || fail "$f: holds no image"
    for ((i = 0; i < count; i++)); do
        entry=$((6 + 16 * i))
        width=$(od -An -tu1 -j$entry -N1 "$f" | tr -d ' ')
        length=$(u32 "$f" $((entry + 8))) offset=$(u32 "$f" $((entry + 12)))
        if [ $((offset + length)) -gt "$size" ] || [ "$length" -lt 40 ]; then
            fail "$f: image $i lies outside the file"
        elif [ "$(u32 "$f" "$offset")" != 40 ] &&
            [ "$(od -An -tx1 -j"$offset" -N4 "$f" | tr -d ' ')" != 89504e47 ]; then
            fail "$f: image $i is neither a bitmap nor a PNG"
        fi
        sizes="$sizes $width"
    done
    for want in 16 32; do
        [[ " $sizes " == *" $want "* ]] || fail "$f: no ${want}-pixel image"
    done
}

# Records a failure for a picture that is missing or broken, once per file; always returns 0.
# The size of each bitmap checked is kept in dims.
declare -A checked dims
check_picture() {
    [ -z "${checked[$1]:-}" ] || return 0
    checked[$1]=1
    case "${1,,}" in
        *.bmp) dims[$1]=$(bmp_size "$skins/$1") || status=1 ;;
        *.ico) check_icon "$skins/$1" || true ;;
        *) fail "picture $1: not a bitmap or icon" ;;
    esac
}

font="_FONT_CHARSET _FONT_COLOR _FONT_HEIGHT _FONT_NAME _FONT_PITCH _FONT_SIZE _FONT_STYLE"
bounds="_LEFT _TOP _WIDTH _HEIGHT"
state="_ENABLE _VISIBLE"
hints="_HINT _SHOWHINT"
declare -A suffixes names
suffixes[PAGECONTROLEX_]="$font $bounds $state"
suffixes[KITCHECKBOX_]="_TEXT $hints _COLOR _CURSOR _TRANSPARENT $font $bounds $state"
suffixes[KITPROGRESSBAR_]="$hints _CURSOR $font $bounds $state"
suffixes[LISTVIEW_]="$hints _COLOR _CURSOR $font $bounds $state"
suffixes[LABEL_]="_TEXT $hints _AUTOSIZE _TRANSPARENT _CURSOR $font $bounds $state"
suffixes[WINDOWSKIN_]="_BMP $bounds _TRANSPARENTCOLOR"
suffixes[IMAGE_]="$hints _CURSOR _AUTOSIZE _TRANSPARENT _BMP $bounds $state"
suffixes[PicButton_]="_TEXT $hints $font _NORMALBMP _ONBMP _DOWNBMP _DISABLEDBMP $bounds $state"
suffixes[IMAGEPANEL_]="_TEXT $hints _AUTOSIZE _TRANSPARENT _CURSOR _COLOR _BORDERWIDTH $font _BMP
    $bounds $state"
suffixes[VIRTUALSTRINGTREE_]="$hints _BACKGROUNDBMP _BACKGROUNDOFFSETX _BACKGROUNDOFFSETY
    _SHOWDESCRIPTION _CURSOR _HOTCURSOR _DEFAULTNODEHEIGHT _SELECTEDPICTUREBMP _MARGIN
    _TEXTMARGIN $font ${font//_FONT/_SELECTEDFONT} ${font//_FONT/_SELECTEDDESCFONT} _COLOR
    _COLORS_BORDERCOLOR _COLORS_DISABLEDCOLOR _COLORS_DROPMARKCOLOR _COLORS_DROPTARGETCOLOR
    _COLORS_DROPTARGETBORDERCOLOR _COLORS_FOCUSEDSELECTIONCOLOR
    _COLORS_FOCUSEDSELECTIONBORDERCOLOR _COLORS_GRIDLINECOLOR _COLORS_HEADERHOTCOLOR
    _COLORS_HOTCOLOR _COLORS_SELECTIONRECTANGLEBLENDCOLOR _COLORS_SELECTIONRECTANGLEBORDERCOLOR
    _COLORS_TREELINECOLOR _COLORS_UNFOCUSEDSELECTIONCOLOR _COLORS_UNFOCUSEDSELECTIONBORDERCOLOR
    $bounds $state"

# The main window's controls by class. The image panels are the window's page panels: one
# holding the top page control and one filling each page.
categories=(COM ApplicationPaths FileTypes Fonts HelpFiles HistoryLists SharedFiles Shortcuts
    Software Sounds Startup StartMenu)
names[PAGECONTROLEX_]="PageControlExMain PageControlExRegistryScan PageControlExSettings
    PageControlExTabSheetRestoreRegistry"
names[KITCHECKBOX_]="CheckBoxComplete $(printf 'CheckBox%s ' "${categories[@]}")
    chkSettingsStartWhenSystemBoos chkSettingsStartScanWhenStarts chkSettingsStartMin
    chkSettingsConfirmBackup"
names[KITPROGRESSBAR_]="ProgressBarRegistryScan"
names[LISTVIEW_]="ListViewRescueItem"
names[LABEL_]="labSystemOverview labInRed labLastScan labLastScanDetail labScanResults
    labScanResultsDetail labLastRegistryDefrag labLastRegistryDefragDetail labRegistryBackup
    labRegistryBackupDetail labInvalidRegistryEntriesFound labRegistryErrorFixed
    labRegistryScan labScanLastScan labScanLastScanDateTimeDetail labScanLastScanFoundFixDetail
    LabelPleaseSelect LabelScanResult LabelCheckAll LabelUncheckAll labRegistryDefrag
    labRegistryDefragDetail LabelLastDefrag labRegistryDefragLastTimeDetail LabelScanning
    LabelErrorFound LabelFenwarpStatus LabelActiveX LabelAppPaths LabelFileTypes LableFonts
    LableHelpFiles LabelHistoryLists LabelSharedFiles LabelShortcuts LabelSoftware LabelSounds
    LabelStartup LabelStartMenu labSettingsGeneralSettings labTabSheetRestoreRegistry
    labTabSheetRestoreRegistryDetail labAppName labAppVersion labCopyright labGUIBy labOstrel
    labHomePage labSupportMail labCopyRightWarning"
names[WINDOWSKIN_]="WindowSkin"
names[IMAGE_]="ImageProessing ImageV $(printf 'ResultIcon%s ' "${categories[@]}")"
names[PicButton_]="btnTopOverview btnTopRegistryScan btnTopSettings btnTopRestore btnMin btnHelp
    btnClose btnRegistryScanScan btnRegistryScanResults btnRegistryDefrag btnStartScanNow
    btnCreateBackup btnRepairRegistry btnDefagRegistry ButtonStopScan btnSettingsGeneral
    btnDefault btnApply btnTabSheetRestoreRegistry btnRestoreBackup btnDeleteRestore
    btnStartScan btnDefragRegistry btnSettings btnTabSheetAbout"
names[IMAGEPANEL_]="ImagePanelMain ImagePanelOverview ImagePanelRegistryScan
    ImagePanelRegistryScanScan ImagePanelRegistryScanResults ImagePanelRegistryScanDefrag
    ImagePanelRegistryScanPross ImagePanelSettings ImagePanelSettingsGeneral ImagePanelRestore
    ImagePanelRestoreRegistry ImagePanelOtherInfo"
names[VIRTUALSTRINGTREE_]="VT"

# Each list as " a b c ", so that " name " finds a whole word.
words() {
    local -a list
    read -r -d '' -a list <<<"$1" || true
    echo " ${list[*]} "
}
for prefix in "${!suffixes[@]}"; do
    suffixes[$prefix]=$(words "${suffixes[$prefix]}")
    names[$prefix]=$(words "${names[$prefix]}")
done

colours=" clBlack clMaroon clGreen clOlive clNavy clPurple clTeal clGray clSilver clRed clLime
    clYellow clBlue clFuchsia clAqua clWhite clMoneyGreen clSkyBlue clCream clMedGray clScrollBar
    clBackground clActiveCaption clInactiveCaption clMenu clWindow clWindowFrame clMenuText
    clWindowText clCaptionText clActiveBorder clInactiveBorder clAppWorkSpace clHighlight
    clHighlightText clBtnFace clBtnShadow clGrayText clBtnText clInactiveCaptionText
    clBtnHighlight cl3DDkShadow cl3DLight clInfoText clInfoBk clHotLight clGradientActiveCaption
    clGradientInactiveCaption clMenuHighlight clMenuBar clNone clDefault "
colours=$(words "${colours,,}")
cursors=" 0 -2 -3 -4 -6 -7 -8 -9 -10 -11 -12 -13 -14 -15 -16 -17 -18 -19 -20 -21 -22 "
integer='^(-?[0-9]+|\$[0-9A-Fa-f]+)$'

# The value of a key must have the form the loader reads for its property.
check_value() {
    local key=$1 suffix=$2 value=$3
    case "$suffix" in
        *BMP)
            [ -z "$value" ] || check_picture "$value"
            pictures[$key]=$value
            ;;
        *COLOR)
            [[ "$value" =~ $integer ]] || [[ "$colours" == *" ${value,,} "* ]] ||
                fail "$key: '$value' is no colour"
            ;;
        *FONT_STYLE) [[ "$value" =~ ^[BIUSbius]*$ ]] || fail "$key: '$value' is no font style" ;;
        *FONT_NAME) [ -n "$value" ] || fail "$key: empty font name" ;;
        *FONT_CHARSET)
            [[ "$value" =~ $integer ]] || [ "$value" = DEFAULT_CHARSET ] ||
                fail "$key: '$value' is no character set"
            ;;
        *FONT_PITCH)
            [[ "$value" =~ ^[012]$ ]] || [ "$value" = fpDefault ] ||
                fail "$key: '$value' is no pitch"
            ;;
        *CURSOR) [[ "$cursors" == *" $value "* ]] || fail "$key: '$value' is no cursor number" ;;
        _TEXT | _HINT) ;;
        *) [[ "$value" =~ $integer ]] || fail "$key: '$value' is not a number" ;;
    esac
}

# Section, key and value of every entry, comments and blank lines left out.
entries=$(awk '{ sub(/\r$/, "") }
    /^[ \t]*(;|$)/ { next }
    /^\[/ { section = substr($0, 2, index($0, "]") - 2); print section "\t\t"; next }
    { i = index($0, "="); if (i == 0) { print section "\t" $0 "\t=missing"; next }
      print section "\t" substr($0, 1, i - 1) "\t" substr($0, i + 1) }' "$skins/Default.ini")

declare -A seen pictures values
while IFS=$'\t' read -r section key value; do
    if [ -z "$key" ]; then
        case "$section" in
            FORMMAIN | Sundrel | SKINPARAM) ;;
            *) fail "unknown section [$section]" ;;
        esac
        continue
    fi
    [ "$value" != "=missing" ] || { fail "[$section] '$key': no '='"; continue; }
    id="${section,,}/${key,,}"
    [ -z "${seen[$id]:-}" ] || fail "[$section] $key: given twice (the first one counts)"
    seen[$id]=1
    values[$section/$key]=$value
    case "$section" in
        Sundrel)
            case "$key" in
                Flag)
                    if [ "$value" = 0 ] || ! [[ "$value" =~ $integer ]]; then
                        fail "Sundrel Flag '$value': the tool would rewrite its section"
                    fi
                    ;;
                SK_PROGRESS_Pos)
                    [[ "$value" =~ ^\ *-?[0-9]+(\ *,\ *-?[0-9]+){3,4}\ *$ ]] ||
                        fail "SK_PROGRESS_Pos '$value': not four or five numbers" ;;
                SK_PROGRESS_PicBackGround) [ "${value,,}" = none ] || check_picture "$value" ;;
                *) fail "[Sundrel] $key: not a key of the tool" ;;
            esac
            ;;
        FORMMAIN)
            if [ "$key" = Splash ]; then
                [ "${value^^}" = NONE ] || check_picture "$value"
                continue
            fi
            prefix=""
            for p in "${!suffixes[@]}"; do
                [[ "$key" == "$p"* ]] && prefix=$p
            done
            if [ -z "$prefix" ]; then
                fail "$key: no class prefix of the skin loader"
                continue
            fi
            rest=${key#"$prefix"}
            name=${rest%%_*}
            suffix=${rest#"$name"}
            if [[ "${names[$prefix]}" != *" $name "* ]]; then
                fail "$key: '$name' is no ${prefix%_} control of the main window"
            elif [[ "${suffixes[$prefix]}" != *" $suffix "* ]]; then
                fail "$key: '$suffix' is not read for a ${prefix%_}"
            else
                check_value "$key" "$suffix" "$value"
            fi
            ;;
    esac
done <<<"$entries"

for key in Flag SK_PROGRESS_Pos SK_PROGRESS_PicBackGround; do
    [ -n "${values[Sundrel/$key]:-}" ] || fail "[Sundrel] $key missing"
done

# Pictures drawn once at the top left of a button or panel must fill the size given to it.
for key in "${!pictures[@]}"; do
    case "$key" in
        PicButton_* | IMAGEPANEL_*_BMP) ;;
        *) continue ;;
    esac
    got=${dims[${pictures[$key]}]:-}
    base=${key%_*}
    want="${values[FORMMAIN/${base}_WIDTH]:-} ${values[FORMMAIN/${base}_HEIGHT]:-}"
    if [ -z "$got" ] || [ "$want" = " " ]; then
        continue
    fi
    [ "$got" = "$want" ] || fail "$key: picture is ${got/ /x}, the control ${want/ /x}"
done

# The caption buttons have the size the window is designed for.
for button in btnMin btnHelp btnClose; do
    for side in WIDTH HEIGHT; do
        [ "${values[FORMMAIN/PicButton_${button}_$side]:-}" = 17 ] ||
            fail "$button: caption buttons are 17 x 17"
    done
done

for icon in "$@"; do
    check_icon "$icon" || true
done

if [ $status = 0 ]; then
    echo "skin $skins/Default.ini: ${#seen[@]} keys, ${#pictures[@]} pictures, icons $# checked"
fi
exit $status
