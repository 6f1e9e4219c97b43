#!/bin/sh
# Draws the button pictures and the built-in logo as PNG files (needs ImageMagick).
# The PNGs are committed; run this again only after changing a drawing.
set -eu
cd "$(dirname "$0")"

# picture NAME SVG-BODY: writes NAME_on.png in colour and NAME_off.png in grey.
picture() {
    for state in on off; do
        if [ "$state" = on ]; then main='#1f5fa8'; accent='#e8a317'; light='#cfe2f7'
        else main='#6b6b6b'; accent='#9a9a9a'; light='#e2e2e2'; fi
        body=$(printf '%s' "$2" | sed -e "s/MAIN/$main/g" -e "s/ACCENT/$accent/g" -e "s/LIGHT/$light/g")
        printf '<svg xmlns="http://www.w3.org/2000/svg" width="40" height="40">%s</svg>' "$body" \
            | convert -background none -depth 8 svg:- -strip "png:${1}_${state}.png"
    done
}

picture aluno '<circle cx="20" cy="12" r="8" fill="MAIN"/>
<path d="M5 38 Q5 22 20 22 Q35 22 35 38 Z" fill="MAIN"/>
<path d="M9 8 L20 3 L31 8 L20 13 Z" fill="ACCENT"/>'

picture carne '<rect x="6" y="4" width="28" height="33" rx="2" fill="LIGHT" stroke="MAIN" stroke-width="2"/>
<line x1="6" y1="13" x2="34" y2="13" stroke="MAIN" stroke-width="2" stroke-dasharray="3,2"/>
<text x="20" y="32" font-family="Liberation Sans" font-weight="bold" font-size="17" fill="ACCENT" text-anchor="middle">$</text>'

picture tabela '<rect x="4" y="6" width="32" height="28" fill="LIGHT" stroke="MAIN" stroke-width="2"/>
<rect x="4" y="6" width="32" height="7" fill="MAIN"/>
<line x1="4" y1="20" x2="36" y2="20" stroke="MAIN" stroke-width="1.5"/>
<line x1="4" y1="27" x2="36" y2="27" stroke="MAIN" stroke-width="1.5"/>
<line x1="15" y1="6" x2="15" y2="34" stroke="MAIN" stroke-width="1.5"/>
<line x1="26" y1="6" x2="26" y2="34" stroke="MAIN" stroke-width="1.5"/>'

picture caixa '<rect x="4" y="16" width="32" height="20" rx="2" fill="MAIN"/>
<rect x="10" y="21" width="20" height="4" fill="LIGHT"/>
<ellipse cx="14" cy="12" rx="7" ry="3" fill="ACCENT"/>
<ellipse cx="14" cy="9" rx="7" ry="3" fill="ACCENT" stroke="MAIN" stroke-width="0.8"/>
<ellipse cx="27" cy="10" rx="6" ry="3" fill="ACCENT" stroke="MAIN" stroke-width="0.8"/>'

picture backup '<rect x="5" y="5" width="30" height="30" rx="3" fill="MAIN"/>
<rect x="11" y="5" width="18" height="11" fill="LIGHT"/>
<rect x="23" y="7" width="4" height="7" fill="MAIN"/>
<rect x="10" y="21" width="20" height="14" fill="LIGHT"/>
<path d="M20 33 L14 26 L18 26 L18 22 L22 22 L22 26 L26 26 Z" fill="ACCENT"/>'

picture log '<circle cx="13" cy="20" r="9" fill="none" stroke="ACCENT" stroke-width="5"/>
<path d="M21 18 L37 18 L37 26 L33 26 L33 22 L29 22 L29 25 L25 25 L25 22 L21 22 Z" fill="MAIN"/>'

picture exit '<rect x="8" y="3" width="20" height="34" fill="LIGHT" stroke="MAIN" stroke-width="2"/>
<path d="M8 3 L22 8 L22 40 L8 37 Z" fill="MAIN"/>
<circle cx="19" cy="23" r="1.6" fill="ACCENT"/>
<path d="M30 20 L38 20 M34 16 L38 20 L34 24" stroke="ACCENT" stroke-width="2.5" fill="none"/>'

cat <<'SVG' | convert -background none -depth 8 svg:- -strip png:logo.png
<svg xmlns="http://www.w3.org/2000/svg" width="280" height="200">
<circle cx="140" cy="78" r="64" fill="#eef4fb" stroke="#1f5fa8" stroke-width="4"/>
<path d="M88 96 L140 80 L192 96 L192 112 L140 100 L88 112 Z" fill="#1f5fa8"/>
<path d="M100 72 L140 50 L180 72 L140 92 Z" fill="#e8a317"/>
<path d="M140 50 L140 36" stroke="#1f5fa8" stroke-width="3"/>
<text x="140" y="178" font-family="Liberation Sans" font-weight="bold" font-size="36" fill="#1f5fa8" text-anchor="middle">Lumesco</text>
<text x="140" y="196" font-family="Liberation Sans" font-size="13" fill="#555555" text-anchor="middle">Administração Escolar</text>
</svg>
SVG
