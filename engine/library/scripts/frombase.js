#use domaincheck
// the numeral text read in base 2 to 36, with an optional fraction part:
// frombase("ff",16) is 255. The operator table writes ff_16 as this call.
// A numeral in brackets may start with a digit: (1a)_16 arrives here as
// "(1*a)", and the "*" that implicit multiplication put in goes again.
function frombase(text,base){
  if(!(base>=2&&base<=36&&Math.floor(base)===base))
    throw Error(qsTranslate("frombase","%1: the base must be a whole number from 2 to 36").arg(frombaseshown(text,base)));
  var digits=text;
  if(digits.charAt(0)==="("&&digits.charAt(digits.length-1)===")")
    digits=digits.substring(1,digits.length-1).replace(/([0-9])\*([a-z])/g,"$1$2");
  if(digits===""||digits===".")
    throw Error(qsTranslate("frombase","%1: there is no numeral before the base").arg(frombaseshown(text,base)));
  var point=digits.indexOf(".");
  var whole=point<0?digits:digits.substring(0,point);
  var fraction=point<0?"":digits.substring(point+1);
  var value=0;
  var all=whole+fraction;
  for(var i=0;i<all.length;++i){
    var digit=all.charAt(i)==="."?NaN:parseInt(all.charAt(i),36);
    if(isNaN(digit)||digit>=base)
      throw Error(qsTranslate("frombase","%1: \"%2\" is not a digit in base %3")
                  .arg(frombaseshown(text,base)).arg(all.charAt(i)).arg(domainshown(base)));
    value=value*base+digit;
  }
  return value/Math.pow(base,fraction.length);
}
// The numeral as typed, for the error texts.
function frombaseshown(text,base){
  return text+"_"+domainshown(base);
}
