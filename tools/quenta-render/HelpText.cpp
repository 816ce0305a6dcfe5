#include "HelpText.h"

namespace quenta::render {

const char kHelpText[] = R"(Usage: quenta-render [OPTIONS] [FILE]

Draws marked-up message text with Quenta and writes it as a PNG picture.
The text comes from FILE, or from standard input when FILE is absent or "-".

Output
  -o, --output FILE.png     the picture to write (required)

Canvas
  -s, --size WxH            canvas size in pixels, each side 1 to 16384; the
                            default is the background picture's size, or else
                            a canvas fitted to what the text draws
      --margin N            space around the text on a fitted canvas (16)
      --position X,Y        where the text's top-left corner goes (16,16);
                            needs --size or --background-image
  -b, --background RRGGBB   background colour, hexadecimal (000000)
      --background-image F  a PNG or BMP picture laid on the background at its
                            top-left corner

Text
      --cp932               the input is Shift-JIS (code page 932) already;
                            by default it is UTF-8 and is converted
      --keep-newlines       hand line breaks to Quenta as they are (it draws
                            them as characters); by default each line break
                            becomes <R>, and the one that ends the input goes
  -a, --archive PATH        the pictures for <G>: a folder or a ZIP file
                            holding 1.png, 2.png, ... (.png before .bmp)
      --gothic-font FILE    the font file for face 0 (Gothic)
      --mincho-font FILE    the font file for face 1 (Mincho)
  -h, --help                show this and stop
      --version             show the version and stop

Markup (numbers are decimal; every opening tag but <B>, <E>, <K> and <G>
saves the value it replaces, and its closing tag brings that back)
  <S24> </S>                character size in pixels, below 256
  <C255,0,0> </C>           text colour
  <C255,255,255,0,0,255>    vertical gradient from the first colour at the
                            top to the second at the bottom
  <E> </E>                  outline, in the edge colour <EC0,0,0> </EC>
  <K> </K>                  drop shadow, in the shadow colour
                            <KC128,128,128> </KC>
  <B> </B>                  bold
  <SPW2> </SPW>             extra space after each character
  <SPH8> </SPH>             extra space below each line
  <CE320> </CE>             centre each line within 320 pixels
  <F0> <F1> </F>            face: 0 Gothic, 1 Mincho
  <G1>                      picture 1 of the archive, in line with the text;
                            white ink on transparency takes the text colour
  <R>                       line break
  <CR>                      back to the defaults: size 24, white, no edge,
                            shadow or bold, Gothic
  <<                        a literal "<"
A tag that is malformed (a missing number or ">") or names a picture that
cannot be had draws "<error>" in its place; an unknown tag is drawn as text.

Exit status: 0 on success, 1 when the input, a file or a module fails,
2 for a bad command line. Every failure is explained on standard error.
)";

}  // namespace quenta::render
