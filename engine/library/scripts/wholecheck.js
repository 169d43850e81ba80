#use domaincheck
// the check of the functions that take whole numbers only: a fraction, an
// infinity, nan or a value that is not a number ends the line
function wholecheck(name,values){
  for(var i=0;i<values.length;++i){
    var n=values[i];
    if(typeof n!=="number"||Math.floor(n)!==n||!isFinite(n))
      throw Error(qsTranslate("wholecheck","%1: whole numbers only, not %2").arg(name).arg(domainshown(n)));
  }
}
