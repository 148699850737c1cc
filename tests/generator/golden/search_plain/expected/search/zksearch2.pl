#!/usr/bin/perl
# a shop script without a marker
print "hello\n";
$TEXTFONT = "<FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>";
$TEXTFONTEND = "</B></FONT>";
$LINKSTART = "<TABLE BORDER=0>";
$LINKEND = "</TABLE>";
$BULLETS = "2";
$ROLLOVERS = "1";
$LINKFONT = "<FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>";
$LINKFONTEND = "</B></FONT>";
$LINKTAG = "<IMG SRC=dot.gif HEIGHT=8 WIDTH=8 BORDER=0 ALIGN=CENTER VALIGN=MIDDLE NAME=II%d>";
$STDLNKFONT = "<FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>";
$STDLNKFONTEND = "</B></FONT>";
$STDTXTCODE = "previous index";
$BODYTAG = "<body bgcolor=FFFFFF text=000000 BACKGROUND=paper.gif bgproperties=\"fixed\" link=000000 vlink=000000>";
$SRCHRESSTEXT = "Search Results";
$STDLNKS = "<table border=0 cellspacing=1 cellpadding=0 align=center><TR ALIGN=CENTER><TD><A HREF=\"javascript:parent.ShowBasket();\" STYLE=\"text-decoration:none\"><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>basket</A></td><tr><td height=3></td><TR ALIGN=CENTER><TD><A HREF=\"$HTTP_REFERER\" STYLE=\"text-decoration:none\" TARGET=ZKLIST><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>previous index</A></TD><TR><TD HEIGHT=3></TD><TR ALIGN=CENTER><TD><A HREF=\"http://shop.example/\" STYLE=\"text-decoration:none\" TARGET=_parent><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>home</A></TD><TR><TD HEIGHT=3></TD></table>";

$NONFOUND = "No items found";
$BSKTLNK = "<A HREF=\"javascript:parent.ShowBasket();\" STYLE=\"text-decoration:none\"><FONT FACE=\"arial\" SIZE=2 COLOR=000000><B>basket</A>";
$STDLNKATTOP = "1";
