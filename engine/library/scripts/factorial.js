#use domaincheck
#use exactproduct
// n! for the whole numbers n from 0 up, correctly rounded: the product is
// kept to twice a double's precision, so that the roundings of 170
// multiplications do not add up in the last digit; from 171 on it is inf.
// A nan that arithmetic made passes through.
function factorial(n){
  if(nancheck([n]))return NaN;
  if(typeof n!=="number"||n<0||Math.floor(n)!==n)
    throw Error(qsTranslate("factorial","Can`t calculate factorial(%1)").arg(domainshown(n)));
  if(n>170)return Infinity;
  var product={value:[1,0],scales:0};
  for(var i=2;i<=n;++i)product=exactstep(product,i,1);
  return exactstepvalue(product);
}
