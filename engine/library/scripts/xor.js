#use domaincheck
#use wholecheck
// exclusive or of whole numbers, bit by bit, in two's complement: xor(5,3)
// is 6 (the sign ^ is the power). The script operator ^ works on 32 bits
// and would quietly drop the rest, so each number is split into its high
// and low 32 bits, exact for every whole number up to 2^53 in magnitude.
function xor(a,b){
  wholecheck("xor",[a,b]);
  if(Math.abs(a)>9007199254740992||Math.abs(b)>9007199254740992)
    throw domainerror("xor",[a,b],qsTranslate("domain","%1: the arguments must be at most 2^53 in magnitude"));
  var high=Math.floor(a/4294967296)^Math.floor(b/4294967296);
  var low=((a-Math.floor(a/4294967296)*4294967296)^(b-Math.floor(b/4294967296)*4294967296))>>>0;
  return high*4294967296+low;
}
