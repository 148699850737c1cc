#!/usr/bin/perl
# shop search
my %INDATA;
$TEXTFONT = "<FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>";
$TEXTFONTEND = "</B></FONT>";
$ISTYLE = "2";
$STYLETXT = "BODY{margin: 4pt;}";
$LINKSTART = "<TABLE BORDER=0 CELLSPACING=2 CELLBORDER=0 BGCOLOR=F8F8F8 WIDTH=150>";
$LINKEND = "</TABLE>";
$BULLETS = "0";
$LINKFONT = "<FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>";
$LINKFONTEND = "</B></FONT>";
$LINKTAG = "<tr><td bgcolor=EEEEEE align=left>";
$STDLNKFONT = "<FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>";
$STDLNKFONTEND = "</B></FONT>";
$STDTXTCODE = "previous index";
$BODYTAG = "<body bgcolor=FFFFFF text=000000 link=000000 vlink=000000>";
$SRCHRESSTEXT = "Search Results";
$STDLNKS = "<TR ALIGN=CENTER><TD align=left onMouseOver=\'parent.SLR2(this)\' onMouseOut=\'parent.SLR1(this);\' BGCOLOR=\"BBBBBB\"><A HREF=\"javascript:parent.ShowBasket();\" STYLE=\"text-decoration:none\"><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>basket</A></td><TR ALIGN=CENTER><TD align=left onMouseOver=\'parent.SLR2(this)\' onMouseOut=\'parent.SLR1(this);\' BGCOLOR=\"BBBBBB\"><A HREF=\"$HTTP_REFERER\" STYLE=\"text-decoration:none\" TARGET=ZKLIST><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>previous index</A></TD><TR ALIGN=CENTER><td align=left onMouseOver=\'parent.SLR2(this)\' onMouseOut=\'parent.SLR1(this);\' BGCOLOR=\"BBBBBB\"><A HREF=\"http://shop.example/\" STYLE=\"text-decoration:none\" TARGET=_parent><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>home</A></td>";

$NONFOUND = "No items found";
$BSKTLNK = "<A HREF=\"javascript:parent.ShowBasket();\" STYLE=\"text-decoration:none\"><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>basket</A>";
print "$TEXTFONT\n";
# <!-- VIMRA START1 --> a second marker stays
