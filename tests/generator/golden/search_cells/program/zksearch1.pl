#!/usr/bin/perl
# shop search
my %INDATA;
  <!-- VIMRA START1 -->  look
print "$TEXTFONT\n";
# <!-- VIMRA START1 --> a second marker stays
