var Currs=new Array("&#163;","EUR","JPY",""), CurrRt=new Array(1.0000,1.1650,182.5000,0.0), CurrPs=new Array(0,0,1,0), CurrDP=new Array(2,2,0,0);
var iNoCurr=3;
var CurrText="Pay in \"your\" currency:";
