#!/usr/bin/env bash
# Draws the example pictures with ImageMagick (run once; the JPEGs are committed).
set -euo pipefail
cd "$(dirname "$0")"
draw() { # file background fill drawing
  convert -size 320x240 "xc:$2" -fill "$3" -stroke black -strokewidth 3 -draw "$4" -quality 85 "$1"
}
draw cercle.jpg white red "circle 160,120 160,40"
draw carre.jpg white blue "rectangle 90,50 230,190"
draw triangle.jpg white green "polygon 160,40 250,200 70,200"
draw etoile.jpg white gold "polygon 160,30 181,95 250,95 194,135 215,200 160,160 105,200 126,135 70,95 139,95"
# Answer pictures (hint mode "image-réponse"): the same shape, smaller, on black.
answer() { # file fill drawing
  convert -size 200x150 xc:black -fill "$2" -stroke white -strokewidth 3 -draw "$3" -quality 85 "$1"
}
answer cercle-reponse.jpg red "circle 100,75 100,25"
answer carre-reponse.jpg blue "rectangle 55,30 145,120"
answer triangle-reponse.jpg green "polygon 100,25 155,125 45,125"
answer etoile-reponse.jpg gold "polygon 100,20 113,60 156,60 121,85 134,125 100,100 66,125 79,85 44,60 87,60"
