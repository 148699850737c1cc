var Currs=new Array("&#163;","EUR","US$",""), CurrRt=new Array(1.0000,1.1650,1.2734,0.0), CurrPs=new Array(0,0,1,0), CurrDP=new Array(2,2,6,0);
var iNoCurr=3;
var CurrText="Prices in \"your\" currency";
