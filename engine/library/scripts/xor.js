#use domaincheck
#use wholecheck
// exclusive or of any number of whole numbers, at least one, bit by bit, in
// two's complement: xor(5,3) is 6, xor(5,3,1) is 7 (the sign ^ is the
// power). The script operator ^ works on 32 bits and would quietly drop the
// rest, so each number is split into its high and low 32 bits, exact for
// every whole number up to 2^53 in magnitude. A nan that arithmetic made
// passes through.
function xor(){
  nonemptycheck("xor",arguments);
  if(nancheck(arguments))return NaN;
  wholecheck("xor",arguments);
  var result=0;
  for(var i=0;i<arguments.length;++i){
    if(Math.abs(arguments[i])>9007199254740992)
      throw domainerror("xor",arguments,qsTranslate("domain","%1: the arguments must be at most 2^53 in magnitude"));
    result=xoroftwo(result,arguments[i]);
  }
  return result;
}
function xoroftwo(a,b){
  var high=Math.floor(a/4294967296)^Math.floor(b/4294967296);
  var low=((a-Math.floor(a/4294967296)*4294967296)^(b-Math.floor(b/4294967296)*4294967296))>>>0;
  return high*4294967296+low;
}
