#use domaincheck
// natural logarithm, the C library's, for x >= 0 (ln(0) is -inf, as the
// pole of the logarithm)
function ln(x){return ln_as("ln",x);}
function ln_as(name,x){
  domaincheck(name,[x]);
  if(x<0)throw domainerror(name,[x],qsTranslate("domain","%1: the argument must not be negative"));
  return Math.log(x);
}
